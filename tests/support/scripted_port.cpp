#include "support/scripted_port.h"

#include <algorithm>

int ScriptedPort::openPort(int index, std::uint32_t baud, Parity parity) {
    ++openCalls_;
    lastIndex_ = index;
    lastBaud_ = baud;
    lastParity_ = parity;
    // Like the real port: a failed set-up leaves nothing open.
    open_ = openResult_ == PortOpened;
    return openResult_;
}

void ScriptedPort::closePort() {
    ++closeCalls_;
    open_ = false;
}

bool ScriptedPort::writeByte(std::uint8_t value) {
    if (!writeTimesMs_.empty()) clock_.advance(writeTimesMs_[writes_.size() % writeTimesMs_.size()]);
    Write w;
    w.value = value;
    w.timeMs = clock_.trueMs();
    w.taken = open_ && taken_ < takeLimit_;
    w.leftMs = std::max(w.timeMs, lineFreeMs_) + (w.taken ? sendTimeMs_ : 0.0);
    writes_.push_back(w);
    if (!w.taken) return false;
    lineFreeMs_ = w.leftMs;
    ++taken_;
    if (onWrite) onWrite(value);
    return true;
}

bool ScriptedPort::drainOutput() {
    ++drainCalls_;
    if (!open_ || drainsFail_) return false;
    clock_.advance(lineFreeMs_ - clock_.trueMs());
    return true;
}

int ScriptedPort::readBytes(std::uint8_t* buffer, int count) {
    ++readCalls_;
    if (count <= 0) return 0;
    if (!open_ || script_.empty() || script_.front().silence) {
        if (!script_.empty()) script_.pop_front();
        clock_.advance(1000.0 * count);
        return 0;
    }
    ReadStep& step = script_.front();
    const int n = std::min<int>(count, static_cast<int>(step.bytes.size()));
    std::copy(step.bytes.begin(), step.bytes.begin() + n, buffer);
    step.bytes.erase(step.bytes.begin(), step.bytes.begin() + n);
    if (step.bytes.empty()) script_.pop_front();
    clock_.advance(byteTimeMs_ * n);
    return n;
}

void ScriptedPort::queueRead(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty()) return;
    script_.push_back(ReadStep{false, bytes});
}

void ScriptedPort::queueSilence() { script_.push_back(ReadStep{true, {}}); }

std::vector<std::uint8_t> ScriptedPort::writtenBytes() const {
    std::vector<std::uint8_t> out;
    for (const Write& w : writes_)
        if (w.taken) out.push_back(w.value);
    return out;
}
