#include "Catalogue.h"

#include <fstream>

namespace {

bool ReadArrayFile(const std::filesystem::path& file, Json::Value& out, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot read " + file.string();
        return false;
    }
    Json::CharReaderBuilder builder;
    std::string errors;
    if (!Json::parseFromStream(builder, in, &out, &errors)) {
        error = file.string() + ": " + errors;
        return false;
    }
    if (!out.isArray()) {
        error = file.string() + ": expected a JSON array";
        return false;
    }
    for (const auto& item : out) {
        if (!item.isObject()) {
            error = file.string() + ": every element must be an object";
            return false;
        }
    }
    return true;
}

const Json::Value* FindByMember(const Json::Value& list, const char* member, const std::string& value) {
    for (const auto& item : list) {
        if (item[member].asString() == value) return &item;
    }
    return nullptr;
}

bool ModelsAreWellFormed(const Json::Value& models, std::string& error) {
    for (const auto& model : models) {
        if (!model["codeName"].isString() || !model["categoryid"].isString() || !model["serials"].isArray() ||
            !model["drivers"].isArray()) {
            error = "models.json: each model needs codeName, categoryid, serials and drivers";
            return false;
        }
        for (const auto& driver : model["drivers"]) {
            if (!driver.isObject() || !driver["OSIDs"].isArray() || !driver["FileName"].isString()) {
                error = "models.json: each driver needs FileName and OSIDs";
                return false;
            }
        }
    }
    return true;
}

// A model with "generate" gets its drivers, and the catalogue that many new
// categories, made here: a long list without a long file.
bool ExpandGeneratedModels(Json::Value& models, Json::Value& parts, std::string& error) {
    for (auto& model : models) {
        const Json::Value& plan = model["generate"];
        if (plan.isNull()) continue;
        const int driverCount = plan["drivers"].asInt();
        const int partCount = plan["parts"].asInt();
        const int firstPartId = plan["firstPartId"].asInt();
        const std::string prefix = plan["filePrefix"].asString();
        if (driverCount <= 0 || partCount <= 0 || firstPartId <= 0 || prefix.empty()) {
            error = "models.json: \"generate\" needs drivers, parts, firstPartId and filePrefix";
            return false;
        }
        for (int i = 0; i < partCount; ++i) {
            Json::Value part;
            part["PartID"] = std::to_string(firstPartId + i);
            part["PartName"] = "扩展设备 " + std::to_string(i + 1);
            part["OrderNum"] = std::to_string(firstPartId + i);
            parts.append(part);
        }
        for (int n = 0; n < driverCount; ++n) {
            Json::Value driver;
            driver["DriverName"] = "驱动 " + std::to_string(n + 1);
            driver["Version"] = "1." + std::to_string(n / 100) + "." + std::to_string(n % 100);
            driver["PartID"] = std::to_string(firstPartId + n % partCount);
            driver["FileName"] = prefix + std::to_string(n + 1) + ".exe";
            // 100 KiB to about 256 MiB, spread over the list.
            driver["FileSize"] = std::to_string(102400 + static_cast<long long>(n * 7919 % 4096) * 65536);
            driver["OSIDs"] = Json::Value(Json::arrayValue);
            driver["OSIDs"].append(model["defaultOS"]);
            model["drivers"].append(driver);
        }
    }
    return true;
}

// The name a driver's file is served under here: that of a FilePath on this
// service ("/files/<name>"), else its FileName.
std::string ServedName(const Json::Value& driver) {
    static const std::string kOwnFiles = "/files/";
    const std::string path = driver["FilePath"].asString();
    return path.rfind(kOwnFiles, 0) == 0 ? path.substr(kOwnFiles.size()) : driver["FileName"].asString();
}

}  // namespace

std::string FoldCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool Catalogue::Load(const std::filesystem::path& dir, std::string& error) {
    return ReadArrayFile(dir / "models.json", models_, error) && ModelsAreWellFormed(models_, error) &&
           ReadArrayFile(dir / "oses.json", oses_, error) &&
           ReadArrayFile(dir / "parts.json", parts_, error) && ExpandGeneratedModels(models_, parts_, error);
}

const Json::Value* Catalogue::ModelBySerial(const std::string& serial) const {
    const std::string wanted = FoldCase(serial);
    for (const auto& model : models_) {
        for (const auto& sn : model["serials"]) {
            if (FoldCase(sn.asString()) == wanted) return &model;
        }
    }
    return nullptr;
}

const Json::Value* Catalogue::ModelByCategory(const std::string& categoryId) const {
    return FindByMember(models_, "categoryid", categoryId);
}

std::vector<const Json::Value*> Catalogue::ModelsByName(const std::string& name) const {
    const std::string wanted = FoldCase(name);
    std::vector<const Json::Value*> found;
    if (wanted.empty()) return found;
    for (const auto& model : models_) {
        std::string modelName = FoldCase(model["codeName"].asString());
        if (modelName == wanted) return {&model};
        if (modelName.find(wanted) != std::string::npos) found.push_back(&model);
    }
    return found;
}

std::vector<std::string> Catalogue::SuggestNames(const std::string& key) const {
    const std::string wanted = FoldCase(key);
    std::vector<std::string> names;
    if (wanted.empty()) return names;
    for (const auto& model : models_) {
        std::string name = model["codeName"].asString();
        if (FoldCase(name).find(wanted) != std::string::npos) names.push_back(name);
    }
    return names;
}

const Json::Value* Catalogue::Os(const std::string& id) const {
    return FindByMember(oses_, "ID", id);
}

const Json::Value* Catalogue::Part(const std::string& id) const {
    return FindByMember(parts_, "PartID", id);
}

std::optional<std::uint64_t> Catalogue::FindFile(const std::string& name) const {
    if (name.empty()) return std::nullopt;
    for (const auto& model : models_) {
        for (const auto& driver : model["drivers"]) {
            if (ServedName(driver) == name) {
                try {
                    return std::stoull(driver["FileSize"].asString());
                } catch (const std::exception&) {
                    return std::nullopt;
                }
            }
        }
    }
    return std::nullopt;
}
