#include "HttpFileTransfer.h"

#include <curl/curl.h>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "ContentRange.h"
#include "Dravolin.h"

namespace dravolin {
namespace {

constexpr long kBufferSize = 512 * 1024;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct HeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// The CA file that replaces the system store, if one is named; read for
// every transfer.
std::string CaFile() {
    const char* value = std::getenv("PELLUCOR_CA_FILE");
    return value ? value : "";
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n'))
        s.remove_suffix(1);
    return s;
}

bool HeaderNameIs(std::string_view line, std::string_view name) {
    if (line.size() <= name.size() || line[name.size()] != ':') return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char a = line[i], b = name[i];
        if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
        if (a != b) return false;
    }
    return true;
}

int32_t StatusForCurlError(CURLcode rc) {
    switch (rc) {
        case CURLE_PARTIAL_FILE:
            return DRAVOLIN_STATUS_INCOMPLETE;
        case CURLE_URL_MALFORMAT:
        case CURLE_UNSUPPORTED_PROTOCOL:
            return DRAVOLIN_STATUS_BAD_REQUEST;
        case CURLE_PEER_FAILED_VERIFICATION:
        case CURLE_SSL_CONNECT_ERROR:
        case CURLE_SSL_CERTPROBLEM:
        case CURLE_SSL_CIPHER:
        case CURLE_SSL_CACERT_BADFILE:
        case CURLE_SSL_ISSUER_ERROR:
        case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
        case CURLE_SSL_INVALIDCERTSTATUS:
            return DRAVOLIN_STATUS_TLS;
        default:
            return DRAVOLIN_STATUS_NETWORK;
    }
}

}  // namespace

// State of one HTTP exchange; the curl callbacks see only this.
struct HttpFileTransfer::Attempt {
    HttpFileTransfer* owner = nullptr;
    CURL* curl = nullptr;
    std::optional<ResumePoint> resume;

    // Headers of the latest response (a redirect's are dropped).
    std::string etag, lastModified, contentRange;

    bool decided = false;
    bool startOver = false;
    bool fileError = false;
    bool httpError = false;
    bool wrongSize = false;
    int64_t written = 0;
    int64_t total = -1;

    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static int OnTick(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

    // Chooses what to do with the body once the status is known; false
    // when no byte of this answer may be written.
    bool Decide();
    bool AcceptPartialContent();
    std::string Validator() const;
    // False when a file of `length` bytes (-1: unknown) cannot be the one expected.
    bool SizeFits(int64_t length) const;
};

size_t HttpFileTransfer::Attempt::OnHeader(char* data, size_t size, size_t count, void* self) {
    auto* a = static_cast<Attempt*>(self);
    std::string_view line(data, size * count);
    if (line.rfind("HTTP/", 0) == 0) {
        a->etag.clear();
        a->lastModified.clear();
        a->contentRange.clear();
    } else if (HeaderNameIs(line, "etag")) {
        a->etag = Trim(line.substr(5));
    } else if (HeaderNameIs(line, "last-modified")) {
        a->lastModified = Trim(line.substr(14));
    } else if (HeaderNameIs(line, "content-range")) {
        a->contentRange = Trim(line.substr(14));
    }
    return size * count;
}

size_t HttpFileTransfer::Attempt::OnBody(char* data, size_t size, size_t count, void* self) {
    auto* a = static_cast<Attempt*>(self);
    size_t bytes = size * count;
    if (!a->decided && !a->Decide()) return CURL_WRITEFUNC_ERROR;
    if (a->owner->hooks_.stopRequested()) return CURL_WRITEFUNC_ERROR;
    // A body without a length may run past the file it should be.
    const int64_t expected = a->owner->request_.expectedSize;
    if (expected > 0 && a->written + static_cast<int64_t>(bytes) > expected) {
        a->wrongSize = true;
        return CURL_WRITEFUNC_ERROR;
    }
    if (!a->owner->partial_.Write(data, bytes)) {
        a->fileError = true;
        return CURL_WRITEFUNC_ERROR;
    }
    a->written += static_cast<int64_t>(bytes);
    a->owner->ReportProgress(a->written, a->total, false);
    return bytes;
}

int HttpFileTransfer::Attempt::OnTick(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Attempt*>(self)->owner->hooks_.stopRequested() ? 1 : 0;
}

// A weak ETag cannot guard a range; Last-Modified stands in for it then.
std::string HttpFileTransfer::Attempt::Validator() const {
    if (!etag.empty() && etag.rfind("W/", 0) != 0) return etag;
    return lastModified;
}

bool HttpFileTransfer::Attempt::SizeFits(int64_t length) const {
    const int64_t expected = owner->request_.expectedSize;
    return expected <= 0 || length < 0 || length == expected;
}

bool HttpFileTransfer::Attempt::Decide() {
    decided = true;
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    if (code == 200) {
        curl_off_t length = -1;
        curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        // Checked before the partial file is touched: a page standing in for
        // the file must not replace bytes that a later try can continue.
        if (!SizeFits(length)) {
            wrongSize = true;
            return false;
        }
        total = length;
        written = 0;
        if (!owner->partial_.StartFresh(owner->request_.url, Validator())) {
            fileError = true;
            return false;
        }
        return true;
    }
    if (resume && code == 206) return AcceptPartialContent();
    if (resume && code == 416) {
        startOver = true;
        return false;
    }
    httpError = true;
    return false;
}

// Appends only to the part that continues the file exactly where it stopped,
// of the same version: the answer must carry the validator the partial file
// was recorded with. One without (a server that ignored If-Range and keeps no
// versions) may come from another version, so the file starts over.
bool HttpFileTransfer::Attempt::AcceptPartialContent() {
    auto range = ParseContentRange(contentRange);
    if (!range || range->first != resume->offset || Validator() != resume->validator) {
        startOver = true;
        return false;
    }
    if (!SizeFits(range->total)) {
        wrongSize = true;
        return false;
    }
    if (!owner->partial_.ContinueAt(resume->offset)) {
        fileError = true;
        return false;
    }
    written = resume->offset;
    total = range->total;
    return true;
}

HttpFileTransfer::HttpFileTransfer(TransferRequest request, TransferHooks hooks)
    : request_(std::move(request)), hooks_(std::move(hooks)), partial_(request_.targetPath) {}

int32_t HttpFileTransfer::Run() {
    if (request_.url.empty() || request_.targetPath.empty()) return DRAVOLIN_STATUS_BAD_REQUEST;
    switch (partial_.TakeClaim([this] { return hooks_.stopRequested(); })) {
        case PartialFile::Claim::kHeld:
            break;
        case PartialFile::Claim::kBusy:
            return DRAVOLIN_STATUS_BUSY;
        case PartialFile::Claim::kFailed:
            return DRAVOLIN_STATUS_FILE_ERROR;
    }
    int32_t status = DRAVOLIN_STATUS_NETWORK;
    if (RunAttempt(partial_.ResumeFor(request_.url), status) == Next::kStartOver)
        RunAttempt(std::nullopt, status);
    return status;
}

HttpFileTransfer::Next HttpFileTransfer::RunAttempt(const std::optional<ResumePoint>& resume,
                                                    int32_t& status) {
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        status = DRAVOLIN_STATUS_NETWORK;
        return Next::kFinished;
    }
    Attempt a;
    a.owner = this;
    a.curl = curl.get();
    a.resume = resume;

    std::unique_ptr<curl_slist, HeaderListDeleter> headers;
    std::string range;
    if (resume) {
        range = std::to_string(resume->offset) + "-";
        std::string ifRange = "If-Range: " + resume->validator;
        headers.reset(curl_slist_append(nullptr, ifRange.c_str()));
    }

    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, request_.url.c_str());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, "Dravolin/1.0");
    curl_easy_setopt(c, CURLOPT_BUFFERSIZE, kBufferSize);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    const std::string caFile = CaFile();
    if (!caFile.empty()) {
        curl_easy_setopt(c, CURLOPT_CAINFO, caFile.c_str());
        // libcurl keeps its built-in CA folder beside a CA file; that folder
        // is the system store, which the named file replaces.
        curl_easy_setopt(c, CURLOPT_CAPATH, nullptr);
    }
    if (resume) {
        curl_easy_setopt(c, CURLOPT_RANGE, range.c_str());
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    }
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, &Attempt::OnHeader);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &a);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &Attempt::OnBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &a);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Attempt::OnTick);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &a);

    speed_.Reset();
    CURLcode rc = curl_easy_perform(c);
    // An empty body never reaches the body callback.
    if (rc == CURLE_OK && !a.decided) a.Decide();
    bool flushed = partial_.Flush();

    if (hooks_.stopRequested()) {
        status = DRAVOLIN_STATUS_CANCELLED;
    } else if (a.startOver) {
        if (resume) return Next::kStartOver;
        status = DRAVOLIN_STATUS_HTTP_ERROR;
    } else if (a.httpError) {
        status = DRAVOLIN_STATUS_HTTP_ERROR;
    } else if (a.wrongSize) {
        status = DRAVOLIN_STATUS_WRONG_SIZE;
    } else if (a.fileError || !flushed) {
        status = DRAVOLIN_STATUS_FILE_ERROR;
    } else if (rc != CURLE_OK) {
        status = StatusForCurlError(rc);
    } else if (a.total >= 0 && a.written != a.total) {
        status = DRAVOLIN_STATUS_INCOMPLETE;
    } else if (!a.SizeFits(a.written)) {
        status = DRAVOLIN_STATUS_WRONG_SIZE;
    } else {
        ReportProgress(a.written, a.total, true);
        status = DRAVOLIN_STATUS_DONE;
    }
    return Next::kFinished;
}

void HttpFileTransfer::ReportProgress(int64_t written, int64_t total, bool finished) {
    speed_.Add(SpeedWindow::Clock::now(), written);
    int64_t base = total >= 0 ? total : request_.expectedSize;
    int32_t percent = 0;
    if (finished) {
        percent = 100;
    } else if (base > 0) {
        percent =
            static_cast<int32_t>(std::min<int64_t>(written / base * 100 + written % base * 100 / base, 100));
        // Without an announced length the file is not known to be done.
        if (total < 0) percent = std::min(percent, 99);
    }
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    hooks_.progress(speed_.BytesPerSecond(), percent);
}

int32_t HttpFileTransfer::CommitToTarget() {
    return partial_.CommitToTarget() ? DRAVOLIN_STATUS_DONE : DRAVOLIN_STATUS_FILE_ERROR;
}

}  // namespace dravolin
