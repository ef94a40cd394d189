#include "datacollection/CmdCommandOp.h"

#include <cstring>
#include <string>

#include "os/Thread.h"

namespace tessaly {

namespace {

CCmdCommandOp* g_cmdCommandOp = nullptr;

constexpr int kReadChunk = 4095;
constexpr uint32_t kReadPauseMs = 500;

}  // namespace

bool CCmdCommandOp::Init() {
    return StartReader();
}

bool CCmdCommandOp::Uninit() {
    ClosePipe();
    StopReader();
    return true;
}

int CCmdCommandOp::Execute(const char* command, int length) {
    if (LaunchChild(command, length)) started.store(true, std::memory_order_release);
    return 1;
}

bool CCmdCommandOp::SetOutputCallback(OutputCallback callback, int user) {
    userValue.store(user, std::memory_order_relaxed);
    outputCallback.store(callback, std::memory_order_release);
    return true;
}

bool CCmdCommandOp::LaunchChild(const char* command, int length) {
    if (command == nullptr || length < 0 || length > kMaxCommandLength || started.load()) return false;
    std::memset(commandLine, 0, sizeof commandLine);
    std::memcpy(commandLine, command, static_cast<size_t>(length));
    return child_.StartShell(std::string(commandLine));
}

bool CCmdCommandOp::ClosePipe() {
    child_.CloseOutput();
    EndChild();
    return true;
}

bool CCmdCommandOp::EndChild() {
    return child_.End();
}

bool CCmdCommandOp::StartReader() {
    const bool running = reader.Start(&CCmdCommandOp::ReadPipe, this);
    reader.Trigger(true);
    return running;
}

bool CCmdCommandOp::StopReader() {
    reader.Stop(0);
    return true;
}

bool CCmdCommandOp::ReadPipe(void* self) {
    auto* op = static_cast<CCmdCommandOp*>(self);
    if (op->started.load(std::memory_order_acquire)) {
        std::memset(op->readBuffer, 0, sizeof op->readBuffer);
        const long count = op->child_.ReadOutput(op->readBuffer, kReadChunk);
        const OutputCallback callback = op->outputCallback.load(std::memory_order_acquire);
        if (count > 0 && callback != nullptr)
            callback(op->readBuffer, static_cast<int>(count), op->userValue.load(std::memory_order_relaxed));
    }
    os::Sleep(kReadPauseMs);
    return true;
}

CCmdCommandOp* CreateCmdCommandOp() {
    if (g_cmdCommandOp != nullptr) return nullptr;
    g_cmdCommandOp = new CCmdCommandOp();
    if (g_cmdCommandOp->Init()) return g_cmdCommandOp;
    g_cmdCommandOp->Uninit();
    delete g_cmdCommandOp;
    g_cmdCommandOp = nullptr;
    return nullptr;
}

bool DestroyCmdCommandOp(CCmdCommandOp* runner) {
    if (runner == nullptr || runner != g_cmdCommandOp) return false;
    runner->Uninit();
    delete runner;
    g_cmdCommandOp = nullptr;
    return true;
}

bool RunCmdCommand(CCmdCommandOp* runner, const char* command, int length) {
    if (runner == nullptr || runner != g_cmdCommandOp) return false;
    runner->Execute(command, length);
    return true;
}

bool SetCmdOutputCallback(CCmdCommandOp* runner, CCmdCommandOp::OutputCallback callback, int user) {
    if (runner == nullptr || runner != g_cmdCommandOp) return false;
    runner->SetOutputCallback(callback, user);
    return true;
}

}  // namespace tessaly
