#pragma once
// XML documents and nodes of the framework (pugixml, UTF-8 text).
#include <pugixml.hpp>

namespace SOUI {

using SXmlDoc = pugi::xml_document;
using SXmlNode = pugi::xml_node;
using SXmlAttr = pugi::xml_attribute;

}  // namespace SOUI
