#include "Reply.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <sstream>

namespace {

constexpr const char* kJsonType = "application/json;charset=UTF-8";
// Longer than any client buffer of 1 MiB.
constexpr size_t kOversizePadding = 1100 * 1024;
// Together longer than the largest chunk a client reads at once (16 KiB).
constexpr int kTrailingMembers = 3000;
// The longest a silent or stalled reply keeps a server thread.
constexpr auto kHoldLimit = std::chrono::seconds(60);
// A trickled reply: one byte, then this pause.
constexpr auto kTrickleStep = std::chrono::milliseconds(200);
// Several MiB, written in pieces smaller than a TLS record so that the
// client's chunks stay small.
constexpr size_t kTailPadding = 4 * 1024 * 1024;
constexpr size_t kTailPiece = 8 * 1024;

void SendThenClose(httplib::Response& res, const std::string& json) {
    // Promise the whole body, deliver half, then fail the write so that the
    // server drops the connection.
    auto body = std::make_shared<std::string>(json);
    res.set_content_provider(body->size(), kJsonType, [body](size_t offset, size_t, httplib::DataSink& sink) {
        size_t half = body->size() / 2;
        if (offset >= half) return false;
        sink.write(body->data(), half);
        return true;
    });
}

// Headers and half the body, then nothing until the fault ends.
void SendThenStall(const ServiceState& state, const std::string& path, httplib::Response& res,
                   const std::string& json) {
    auto body = std::make_shared<std::string>(json);
    res.set_content_provider(body->size(), kJsonType,
                             [&state, path, body](size_t offset, size_t, httplib::DataSink& sink) {
                                 const size_t half = body->size() / 2;
                                 if (offset < half) return sink.write(body->data() + offset, half - offset);
                                 state.Hold(FaultMode::Stall, path, kHoldLimit);
                                 return false;
                             });
}

// The whole reply, a byte at a time, for as long as the fault lasts.
void SendTrickling(const ServiceState& state, const std::string& path, httplib::Response& res,
                   const std::string& json) {
    auto body = std::make_shared<std::string>(json);
    res.set_content_provider(
        body->size(), kJsonType, [&state, path, body](size_t offset, size_t, httplib::DataSink& sink) {
            return sink.write(body->data() + offset, 1) && state.Hold(FaultMode::Trickle, path, kTrickleStep);
        });
}

// The reply with a long padding text as its last member, its closing quote
// and brace written apart. A client that keeps the first MiB, drops what does
// not fit and still takes a later chunk that fits joins that start and the
// tail into valid JSON.
void SendWithLongTail(httplib::Response& res, const std::string& json) {
    auto head = std::make_shared<std::string>(json);
    std::string tail;
    if (json.size() >= 2 && json.back() == '}') {
        head->pop_back();
        if (*head != "{") *head += ",";
        *head += "\"Padding\":\"" + std::string(kTailPadding, 'x');
        tail = "\"}";
    } else {
        *head += std::string(kTailPadding, ' ');
    }
    res.set_content_provider(
        head->size() + tail.size(), kJsonType, [head, tail](size_t offset, size_t, httplib::DataSink& sink) {
            if (offset >= head->size())
                return sink.write(tail.data() + (offset - head->size()),
                                  tail.size() - (offset - head->size()));
            return sink.write(head->data() + offset, std::min(kTailPiece, head->size() - offset));
        });
}

// The reply grown past 1 MiB with members after it. A client that keeps the
// first MiB and drops what does not fit (keeping a later chunk only when it
// still fits) is left with invalid JSON wherever it cut: the kept start ends
// inside the padding string, and any kept tail piece of the members closes
// that string right before a key or a colon.
std::string Oversized(const std::string& json) {
    if (json.size() < 2 || json.back() != '}') return json + std::string(kOversizePadding, ' ');
    std::string out = json.substr(0, json.size() - 1);
    if (out != "{") out += ",";
    out += "\"Padding\":\"" + std::string(kOversizePadding, 'x') + "\"";
    for (int i = 0; i < kTrailingMembers; ++i) out += ",\"k" + std::to_string(i) + "\":" + std::to_string(i);
    out += "}";
    return out;
}

}  // namespace

std::string CompactJson(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

bool ParseJson(const std::string& text, Json::Value& out) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    return reader->parse(text.data(), text.data() + text.size(), &out, &errors);
}

std::string TextMember(const Json::Value& object, const char* name) {
    const Json::Value& member = object[name];
    return member.isString() ? member.asString() : std::string();
}

void SendJson(const ServiceState& state, const httplib::Request& req, httplib::Response& res,
              const std::string& json) {
    SendReply(state, req, res, json, kJsonType);
}

void SendReply(const ServiceState& state, const httplib::Request& req, httplib::Response& res,
               const std::string& json, const char* contentType) {
    switch (state.FaultFor(req.path)) {
        case FaultMode::None:
            res.set_content(json, contentType);
            return;
        case FaultMode::NoBrace:
            res.set_content("Service temporarily unavailable, please try again later.", "text/plain");
            return;
        case FaultMode::CutJson:
            res.set_content(json.substr(0, json.size() / 2), kJsonType);
            return;
        case FaultMode::InvalidJson:
            res.set_content("{," + json.substr(json.empty() ? 0 : 1), kJsonType);
            return;
        case FaultMode::Oversize:
            res.set_content(Oversized(json), kJsonType);
            return;
        case FaultMode::Http500:
            res.status = 500;
            res.set_content(json, kJsonType);
            return;
        case FaultMode::HeadersOnly:
            res.set_content("", kJsonType);
            return;
        case FaultMode::Close:
            SendThenClose(res, json);
            return;
        case FaultMode::Silent:
            state.Hold(FaultMode::Silent, req.path, kHoldLimit);
            res.set_content(json, contentType);
            return;
        case FaultMode::Stall:
            SendThenStall(state, req.path, res, json);
            return;
        case FaultMode::Trickle:
            SendTrickling(state, req.path, res, json);
            return;
        case FaultMode::OversizeTail:
            SendWithLongTail(res, json);
            return;
    }
}

void SendBadRequest(httplib::Response& res, const std::string& why) {
    res.status = 400;
    Json::Value body;
    body["error"] = why;
    res.set_content(CompactJson(body), kJsonType);
}
