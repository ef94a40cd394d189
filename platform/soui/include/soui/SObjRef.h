#pragma once
// Reference counting of the framework's shared objects (factories, adapters,
// resource providers): the creator holds one reference and hands it on.
#include <atomic>
#include <utility>

namespace SOUI {

struct IObjRef {
    virtual long AddRef() = 0;
    virtual long Release() = 0;

protected:
    virtual ~IObjRef() = default;
};

// Counting for one interface; the object deletes itself with its last reference.
template <class T>
class TObjRefImpl : public T {
public:
    long AddRef() override { return ++refCount_; }
    long Release() override {
        const long left = --refCount_;
        if (left == 0) OnFinalRelease();
        return left;
    }

protected:
    virtual void OnFinalRelease() { delete this; }

private:
    std::atomic<long> refCount_{1};
};

// Holds one reference; adopts a newly created object with Attach.
template <class T>
class SAutoRefPtr {
public:
    SAutoRefPtr() = default;
    SAutoRefPtr(T* p) : p_(p) {  // NOLINT: takes a reference like the pointer it wraps
        if (p_) p_->AddRef();
    }
    SAutoRefPtr(const SAutoRefPtr& o) : SAutoRefPtr(o.p_) {}
    SAutoRefPtr(SAutoRefPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    SAutoRefPtr& operator=(SAutoRefPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~SAutoRefPtr() {
        if (p_) p_->Release();
    }

    void Attach(T* p) {
        if (p_) p_->Release();
        p_ = p;
    }
    T* Detach() { return std::exchange(p_, nullptr); }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    operator T*() const { return p_; }  // NOLINT: used where the framework takes a plain pointer
    T** operator&() {
        Attach(nullptr);
        return &p_;
    }

private:
    T* p_ = nullptr;
};

}  // namespace SOUI
