#include <map>
#include <memory>

#include "AttrParse.h"
#include "LoopInternals.h"
#include "WidgetRegister.h"
#include "soui/SApplication.h"
#include "soui/SControls.h"
#include "soui/SMessageLoop.h"
#include "soui/SSkin.h"

namespace SOUI {

namespace {

SApplication* g_app = nullptr;

constexpr const wchar_t* kSystemUidef = L"uidef:sys_xml_skin";

}  // namespace

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr* mgr) const {
    mgr->RegisterWindowClass<SWindow>();
    mgr->RegisterWindowClass<SDiv>();
    mgr->RegisterWindowClass<SStatic>();
    mgr->RegisterWindowClass<SButton>();
    mgr->RegisterWindowClass<SImageButton>();
    mgr->RegisterWindowClass<SLink>();
    mgr->RegisterWindowClass<SCheckBox>();
    mgr->RegisterWindowClass<SImageWnd>();
    mgr->RegisterWindowClass<STabPage>();
    mgr->RegisterWindowClass<STabCtrl>();
    mgr->RegisterWindowClass<SProgress>();
    mgr->RegisterWindowClass<SAnimateImgWnd>();
    mgr->RegisterWindowClass<SCaption>();
    detail::RegisterListAndEditWindows(mgr);
}

void SObjectDefaultRegister::RegisterSkins(SObjectFactoryMgr* mgr) const {
    mgr->RegisterSkinClass<SSkinImgList>();
    mgr->RegisterSkinClass<SSkinImgFrame>();
    mgr->RegisterSkinClass<SSkinScrollbar>();
}

struct SApplication::Impl {
    SAutoRefPtr<IRenderFactory> render;
    HINSTANCE instance = nullptr;
    std::wstring hostClassName;
    std::vector<SAutoRefPtr<IResProvider>> providers;  // searched newest first
    IResProvider* loading = nullptr;                   // the system resources while they load
    using SkinPool = std::map<std::wstring, std::unique_ptr<SSkinObjBase>>;
    SkinPool skins;
    SkinPool sysSkins;
    std::map<std::wstring, SAutoRefPtr<IBitmap>> images;
    SFontDesc defFont;
    std::map<std::wstring, std::wstring> strings;
    std::vector<std::unique_ptr<SXmlDoc>> uidefs;
    std::map<std::wstring, SXmlNode> styles;
    std::map<std::wstring, SXmlNode> objAttrs;
    SAutoRefPtr<IRenderTarget> measure;

    BOOL RawBuffer(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* out) {
        if (loading && loading->GetRawBuffer(type, name, out)) return TRUE;
        for (auto it = providers.rbegin(); it != providers.rend(); ++it) {
            if ((*it)->GetRawBuffer(type, name, out)) return TRUE;
        }
        return FALSE;
    }

    BOOL LoadUidef(SApplication* app, IResProvider* provider, const std::wstring& resId, SkinPool& pool) {
        std::wstring type;
        std::wstring name;
        std::vector<BYTE> data;
        if (!ParseResId(resId, &type, &name) || !provider->GetRawBuffer(type.c_str(), name.c_str(), &data)) {
            return FALSE;
        }
        auto doc = std::make_unique<SXmlDoc>();
        if (!doc->load_buffer(data.data(), data.size())) return FALSE;
        for (SXmlNode section : doc->document_element().children()) {
            const std::string tag = section.name();
            if (tag == "font") {
                if (SXmlAttr face = section.attribute("face"))
                    defFont.face = detail::Utf8ToWide(face.value());
                if (SXmlAttr size = section.attribute("size")) defFont.size = size.as_int(defFont.size);
            } else if (tag == "string") {
                for (SXmlNode item : section.children()) {
                    if (item.type() != pugi::node_element) continue;
                    const char* key = item.attribute("name") ? item.attribute("name").value() : item.name();
                    const char* value =
                        item.attribute("value") ? item.attribute("value").value() : item.text().get();
                    strings[detail::Utf8ToWide(key)] = detail::Utf8ToWide(value);
                }
            } else if (tag == "skin") {
                for (SXmlNode item : section.children()) {
                    if (item.type() != pugi::node_element) continue;
                    SObject* obj = app->CreateObject(detail::Utf8ToWide(item.name()), Skin);
                    auto* skin = dynamic_cast<SSkinObjBase*>(obj);
                    if (!skin) {
                        delete obj;
                        continue;
                    }
                    skin->InitFromXml(item);
                    pool[skin->GetName()].reset(skin);
                }
            } else if (tag == "style") {
                for (SXmlNode item : section.children()) {
                    if (SXmlAttr cls = item.attribute("name")) styles[detail::Utf8ToWide(cls.value())] = item;
                }
            } else if (tag == "objattr") {
                for (SXmlNode item : section.children()) {
                    if (item.type() == pugi::node_element) objAttrs[detail::Utf8ToWide(item.name())] = item;
                }
            }
        }
        uidefs.push_back(std::move(doc));
        return TRUE;
    }
};

SApplication::SApplication(IRenderFactory* renderFactory, HINSTANCE instance, LPCWSTR hostClassName,
                           const SObjectDefaultRegister& sysObjRegister, BOOL)
    : impl_(std::make_unique<Impl>()) {
    detail::InitMessageQueue();
    impl_->render = renderFactory;
    impl_->instance = instance;
    impl_->hostClassName = hostClassName ? hostClassName : L"";
    g_app = this;
    sysObjRegister.RegisterWindows(this);
    sysObjRegister.RegisterSkins(this);
    if (impl_->render) impl_->render->CreateRenderTarget(&impl_->measure, 1, 1);
}

SApplication::~SApplication() {
    // Skins and pictures come from the renderer: they go before it.
    impl_->skins.clear();
    impl_->sysSkins.clear();
    impl_->images.clear();
    impl_->measure = nullptr;
    impl_->providers.clear();
    impl_->render = nullptr;
    if (g_app == this) g_app = nullptr;
}

SApplication* SApplication::getSingletonPtr() {
    return g_app;
}

BOOL SApplication::LoadSystemNamedResource(IResProvider* provider) {
    if (provider == nullptr) return FALSE;
    impl_->loading = provider;
    const BOOL loaded = impl_->LoadUidef(this, provider, kSystemUidef, impl_->sysSkins);
    impl_->loading = nullptr;
    return loaded;
}

BOOL SApplication::AddResProvider(IResProvider* provider, LPCWSTR uidef) {
    if (provider == nullptr) return FALSE;
    impl_->providers.emplace_back(provider);
    if (uidef == nullptr || *uidef == 0) return TRUE;
    return impl_->LoadUidef(this, provider, uidef, impl_->skins);
}

BOOL SApplication::GetRawBuffer(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* out) {
    return impl_->RawBuffer(type, name, out);
}

BOOL SApplication::LoadXmlDocment(SXmlDoc& doc, LPCWSTR name, LPCWSTR type) {
    std::vector<BYTE> data;
    if (!impl_->RawBuffer(type, name, &data)) return FALSE;
    return doc.load_buffer(data.data(), data.size()) ? TRUE : FALSE;
}

BOOL SApplication::LoadXmlDocment(SXmlDoc& doc, const std::wstring& resId) {
    std::wstring type;
    std::wstring name;
    return ParseResId(resId, &type, &name) && LoadXmlDocment(doc, name.c_str(), type.c_str());
}

int SApplication::Run(HWND) {
    return GetMsgLoop()->Run();
}

SMessageLoop* SApplication::GetMsgLoop() {
    return SMessageLoop::GetCurrent();
}

IRenderFactory* SApplication::GetRenderFactory() {
    return impl_->render;
}

HINSTANCE SApplication::GetInstance() const {
    return impl_->instance;
}

const std::wstring& SApplication::GetHostClassName() const {
    return impl_->hostClassName;
}

SSkinObjBase* SApplication::GetSkin(const std::wstring& name) {
    for (auto* pool : {&impl_->skins, &impl_->sysSkins}) {
        const auto it = pool->find(name);
        if (it != pool->end()) return it->second.get();
    }
    return nullptr;
}

IBitmap* SApplication::LoadImage(const std::wstring& resId) {
    const std::wstring key = detail::ToLower(resId);
    if (const auto it = impl_->images.find(key); it != impl_->images.end()) return it->second;
    std::wstring type;
    std::wstring name;
    std::vector<BYTE> data;
    IImgDecoderFactory* decoder = impl_->render ? impl_->render->GetImgDecoderFactory() : nullptr;
    SImageData image;
    if (!decoder || !ParseResId(resId, &type, &name) ||
        !impl_->RawBuffer(type.c_str(), name.c_str(), &data) ||
        !decoder->DecodeImage(data.data(), data.size(), &image)) {
        return nullptr;
    }
    SAutoRefPtr<IBitmap> bitmap;
    if (!impl_->render->CreateBitmap(&bitmap, image)) return nullptr;
    impl_->images[key] = bitmap;
    return bitmap;
}

const SFontDesc& SApplication::GetDefFont() const {
    return impl_->defFont;
}

CSize SApplication::MeasureText(const std::wstring& text, const SFontDesc& font) {
    return impl_->measure ? impl_->measure->MeasureText(text, font) : CSize();
}

std::wstring SApplication::ResolveString(const std::wstring& text) const {
    static const std::wstring prefix = L"@string/";
    if (text.rfind(prefix, 0) != 0) return text;
    const auto it = impl_->strings.find(text.substr(prefix.size()));
    return it == impl_->strings.end() ? text : it->second;
}

SXmlNode SApplication::GetStyle(const std::wstring& className) const {
    const auto it = impl_->styles.find(className);
    return it == impl_->styles.end() ? SXmlNode() : it->second;
}

SXmlNode SApplication::GetObjDefAttr(const std::wstring& tag) const {
    const auto it = impl_->objAttrs.find(tag);
    return it == impl_->objAttrs.end() ? SXmlNode() : it->second;
}

}  // namespace SOUI
