# Script mode: writes OUTPUT, a C++ source holding the files that LIST_FILE
# names (lines "TYPE:NAME=path") as byte arrays. MODE PROGRAM registers them with
# the running program; MODE MODULE exports them through "SCreateInstance".
cmake_minimum_required(VERSION 3.25)

file(STRINGS "${LIST_FILE}" RESOURCES)
set(body "")
set(table "")
set(index 0)
foreach(entry IN LISTS RESOURCES)
  string(FIND "${entry}" "=" eq)
  string(SUBSTRING "${entry}" 0 ${eq} resid)
  math(EXPR from "${eq} + 1")
  string(SUBSTRING "${entry}" ${from} -1 path)
  string(FIND "${resid}" ":" colon)
  string(SUBSTRING "${resid}" 0 ${colon} type)
  math(EXPR from "${colon} + 1")
  string(SUBSTRING "${resid}" ${from} -1 name)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" hexlen)
  if(hexlen EQUAL 0)
    message(FATAL_ERROR "empty resource ${path}")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char r${index}[] = {${bytes}};\n")
  string(APPEND table "    {L\"${type}\", L\"${name}\", r${index}, sizeof r${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()

set(out "// Generated from the resource files; do not edit.\n#include \"soui/SResProvider.h\"\n")
if(MODE STREQUAL "MODULE")
  string(APPEND out "#include \"soui/IRender.h\"\n")
endif()
string(APPEND out "\nnamespace {\n\n${body}\nconst SOUI::SEmbeddedResource kTable[] = {\n${table}};\n\n")
if(MODE STREQUAL "MODULE")
  string(APPEND out [=[
class Table : public SOUI::TObjRefImpl<SOUI::IEmbeddedResTable> {
 public:
  std::size_t Count() const override { return sizeof kTable / sizeof kTable[0]; }
  const SOUI::SEmbeddedResource& At(std::size_t index) const override { return kTable[index]; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) SOUI::BOOL SCreateInstance(SOUI::IObjRef** object) {
  if (object == nullptr) return SOUI::FALSE;
  *object = new Table();
  return SOUI::TRUE;
}
]=])
else()
  string(APPEND out [=[
struct Registrar {
  Registrar() { SOUI::RegisterEmbeddedResources(kTable, sizeof kTable / sizeof kTable[0]); }
} registrar;

}  // namespace
]=])
endif()
file(WRITE "${OUTPUT}.tmp" "${out}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
