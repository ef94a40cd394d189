#include "soui/SObject.h"

#include "AttrParse.h"

namespace SOUI {

HRESULT SObject::SetAttribute(const std::wstring& name, const std::wstring& value, BOOL loading) {
    return AfterAttribute(name, value, loading, E_FAIL);
}

BOOL SObject::InitFromXml(SXmlNode node) {
    for (SXmlAttr attr : node.attributes()) {
        SetAttribute(detail::Utf8ToWide(attr.name()), detail::Utf8ToWide(attr.value()), TRUE);
    }
    OnInitFinished(node);
    return TRUE;
}

HRESULT SObject::AfterAttribute(const std::wstring&, const std::wstring&, BOOL, HRESULT hr) {
    return hr;
}

void SObject::OnInitFinished(SXmlNode) {}

}  // namespace SOUI
