#pragma once
#include <json/json.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The sample catalogue (models, operating systems, driver categories) that the
// driver endpoints answer from; the layout of its files is in data/README.md.
// Read-only after Load, so all server threads may use it at once.
class Catalogue {
public:
    // False with a reason in `error` when a file is missing or malformed.
    bool Load(const std::filesystem::path& dir, std::string& error);

    // Serial numbers and model names compare without regard to ASCII case.
    const Json::Value* ModelBySerial(const std::string& serial) const;
    const Json::Value* ModelByCategory(const std::string& categoryId) const;
    // The model named exactly `name`, else every model whose name contains it.
    std::vector<const Json::Value*> ModelsByName(const std::string& name) const;
    // Model names containing `key`, in catalogue order; none for an empty key.
    std::vector<std::string> SuggestNames(const std::string& key) const;

    const Json::Value* Os(const std::string& id) const;
    const Json::Value* Part(const std::string& id) const;
    const Json::Value& Oses() const { return oses_; }
    const Json::Value& Parts() const { return parts_; }

    // Size of the driver file served under `/files/<name>`.
    std::optional<std::uint64_t> FindFile(const std::string& name) const;

private:
    Json::Value models_;
    Json::Value oses_;
    Json::Value parts_;
};

// ASCII case folding; other bytes (UTF-8 text) stay as they are.
std::string FoldCase(std::string text);
