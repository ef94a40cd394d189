#include "datacollection/StyledJson.h"

#include <json/writer.h>

namespace tessaly {

std::string StyledJson(const Json::Value& value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value) + "\n";
}

}  // namespace tessaly
