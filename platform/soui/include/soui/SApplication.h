#pragma once
// The framework application: object factory, resources, skins, the default
// font and the message loop of the window thread.
#include <memory>
#include <string>
#include <vector>

#include "soui/IRender.h"
#include "soui/SObjectFactory.h"
#include "soui/SResProvider.h"
#include "soui/SXml.h"

namespace SOUI {

class SSkinObjBase;
class SMessageLoop;

// Registers the framework's own windows and skins with a factory.
struct SObjectDefaultRegister {
    void RegisterWindows(SObjectFactoryMgr* mgr) const;
    void RegisterSkins(SObjectFactoryMgr* mgr) const;
};

class SApplication : public SObjectFactoryMgr {
public:
    SApplication(IRenderFactory* renderFactory, HINSTANCE instance, LPCWSTR hostClassName = L"SOUIHOST",
                 const SObjectDefaultRegister& sysObjRegister = SObjectDefaultRegister(),
                 BOOL imeApp = FALSE);
    ~SApplication();
    SApplication(const SApplication&) = delete;
    SApplication& operator=(const SApplication&) = delete;

    static SApplication* getSingletonPtr();
    static SApplication& getSingleton() { return *getSingletonPtr(); }

    // Loads the skins that the system resources define ("uidef:sys_skins").
    BOOL LoadSystemNamedResource(IResProvider* provider);
    // Adds a provider (searched before those added earlier) and loads the
    // user-interface definition it names ("uidef:xml_init").
    BOOL AddResProvider(IResProvider* provider, LPCWSTR uidef = L"uidef:xml_init");

    BOOL LoadXmlDocment(SXmlDoc& doc, LPCWSTR name, LPCWSTR type);
    BOOL LoadXmlDocment(SXmlDoc& doc, const std::wstring& resId);  // "TYPE:NAME"
    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, std::vector<BYTE>* out);

    // The message loop; returns when WM_QUIT arrives, with its wParam.
    int Run(HWND mainWnd);
    SMessageLoop* GetMsgLoop();

    IRenderFactory* GetRenderFactory();
    HINSTANCE GetInstance() const;
    const std::wstring& GetHostClassName() const;

    // The named skin (the program's first, then the system's), or null.
    SSkinObjBase* GetSkin(const std::wstring& name);
    // The image resource "TYPE:NAME", decoded once; null when missing.
    IBitmap* LoadImage(const std::wstring& resId);
    const SFontDesc& GetDefFont() const;
    CSize MeasureText(const std::wstring& text, const SFontDesc& font);
    // "@string/name" becomes the string table's text; other text stays.
    std::wstring ResolveString(const std::wstring& text) const;
    // Attributes of a style class, and default attributes of a tag.
    SXmlNode GetStyle(const std::wstring& className) const;
    SXmlNode GetObjDefAttr(const std::wstring& tag) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace SOUI
