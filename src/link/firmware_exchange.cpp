#include "link/firmware_exchange.h"

#include <utility>

FirmwareExchange::FirmwareExchange(std::vector<std::uint8_t> image) : image_(std::move(image)) {
    // The display holds no more than kFirmwareMaxBytes.
    if (image_.size() > kFirmwareMaxBytes) image_.resize(kFirmwareMaxBytes);
}

FirmwareStep FirmwareExchange::finish(int result) {
    stage_ = Stage::Done;
    result_ = result;
    return {FirmwareStep::Finished, 0};
}

FirmwareStep FirmwareExchange::await(Stage stage, double nowMs) {
    stage_ = stage;
    deadlineMs_ = nowMs + kFirmwareAwaitLimitMs;
    reads_ = 0;
    return read();
}

// The opening pair and the go-ahead each have 21 reads, and no more than the 30 s limit: a
// line that brings other bytes quickly uses up the reads, a slow one the time.
FirmwareStep FirmwareExchange::nextOpeningRead(double nowMs) {
    if (reads_ < kFirmwareOpeningReads && nowMs < deadlineMs_) return read();
    return finish(FirmwareNoAnswer);
}

FirmwareStep FirmwareExchange::requestOrEnd(double nowMs) {
    return await(sent_ < image_.size() ? Stage::Request : Stage::End, nowMs);
}

FirmwareStep FirmwareExchange::start(double nowMs) {
    if (stage_ != Stage::Idle) return finish(FirmwareNoAnswer);
    haveLast_ = false;
    return await(Stage::OpeningPair, nowMs);
}

FirmwareStep FirmwareExchange::wrote(double nowMs) {
    switch (stage_) {
    case Stage::Answering:
        return await(Stage::GoAhead, nowMs);
    case Stage::Sending: {
        const std::size_t k = sent_++;
        progress_ = static_cast<int>(100 * k / image_.size());
        stage_ = Stage::Echo;
        return read();
    }
    default:
        // Not an answer to a Write: the driver has lost its place, and the exchange ends.
        return finish(stage_ == Stage::Done ? result_ : FirmwareNoAnswer);
    }
}

FirmwareStep FirmwareExchange::arrived(std::uint8_t byte, double nowMs) {
    switch (stage_) {
    case Stage::OpeningPair: {
        ++reads_;
        const bool pair = haveLast_ && last_ == FirmwareOpenFirst && byte == FirmwareOpenSecond;
        last_ = byte;
        haveLast_ = true;
        if (pair) {
            stage_ = Stage::Answering;
            return write(FirmwareAnswer);
        }
        return nextOpeningRead(nowMs);
    }
    case Stage::GoAhead:
        ++reads_;
        if (byte == FirmwareGoAhead) return requestOrEnd(nowMs);
        return nextOpeningRead(nowMs);
    case Stage::Request:
        if (byte == FirmwareRequest) {
            stage_ = Stage::Sending;
            return write(image_[sent_]);
        }
        return nowMs >= deadlineMs_ ? finish(FirmwareNoAnswer) : read();
    case Stage::Echo:
        if (byte != image_[sent_ - 1]) return finish(FirmwareEchoMismatch);
        return requestOrEnd(nowMs);
    case Stage::End:
        if (byte == FirmwareEnd) return finish(FirmwareUpdated);
        return nowMs >= deadlineMs_ ? finish(FirmwareNoAnswer) : read();
    default:
        return finish(stage_ == Stage::Done ? result_ : FirmwareNoAnswer);
    }
}

FirmwareStep FirmwareExchange::nothingArrived(double nowMs) {
    switch (stage_) {
    case Stage::OpeningPair:
    case Stage::GoAhead:
        // An empty read keeps the opening's last byte: D0, a gap, D6 is still the pair.
        ++reads_;
        return nextOpeningRead(nowMs);
    default:
        // Past the opening there is no retry: one read that brings nothing ends the transfer.
        return finish(stage_ == Stage::Done ? result_ : FirmwareNoAnswer);
    }
}
