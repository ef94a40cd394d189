#pragma once
// Base of everything the object factory builds from XML: a class identity
// (the XML tag) and attributes set by name.
#include <cwchar>
#include <string>

#include "soui/SXml.h"
#include "soui/Win32Defs.h"

namespace SOUI {

enum SObjectType { Undef = 0, Window = 1, Skin = 2 };

class SObject {
public:
    virtual ~SObject() = default;

    static LPCWSTR GetClassName() { return L"object"; }
    static int GetClassType() { return Undef; }

    virtual BOOL IsClass(LPCWSTR className) const { return std::wcscmp(className, GetClassName()) == 0; }
    virtual LPCWSTR GetObjectClass() const { return GetClassName(); }
    virtual int GetObjectType() const { return GetClassType(); }

    // S_OK: taken and the object needs a redraw; S_FALSE: taken, no redraw;
    // E_FAIL: not an attribute of this class.
    virtual HRESULT SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading);

    // Sets every attribute of the node, then lets the object finish.
    virtual BOOL InitFromXml(SXmlNode node);

protected:
    // Runs after an attribute was taken; the result is the attribute's result.
    virtual HRESULT AfterAttribute(const std::wstring& name, const std::wstring& value, BOOL loading,
                                   HRESULT hr);
    virtual void OnInitFinished(SXmlNode node);
};

}  // namespace SOUI

// Class identity of a framework or program class registered under an XML
// tag; the _TYPE form starts a new kind of object (window, skin). Names are
// qualified, so program classes outside the namespace use it too.
#define SOUI_CLASS_NAME_TYPE(BaseClass, TagName, ClassType)                                  \
public:                                                                                      \
    static ::SOUI::LPCWSTR GetClassName() {                                                  \
        return TagName;                                                                      \
    }                                                                                        \
    static ::SOUI::LPCWSTR BaseClassName() {                                                 \
        return BaseClass::GetClassName();                                                    \
    }                                                                                        \
    static int GetClassType() {                                                              \
        return ClassType;                                                                    \
    }                                                                                        \
    ::SOUI::BOOL IsClass(::SOUI::LPCWSTR className) const override {                         \
        return std::wcscmp(className, GetClassName()) == 0 || BaseClass::IsClass(className); \
    }                                                                                        \
    ::SOUI::LPCWSTR GetObjectClass() const override {                                        \
        return GetClassName();                                                               \
    }                                                                                        \
    int GetObjectType() const override {                                                     \
        return GetClassType();                                                               \
    }

#define SOUI_CLASS_NAME(BaseClass, TagName) \
    SOUI_CLASS_NAME_TYPE(BaseClass, TagName, BaseClass::GetClassType())
