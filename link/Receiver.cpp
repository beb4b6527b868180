#include "link/Receiver.h"

#include <algorithm>

#include "link/Messages.h"

namespace sonavel {

Receiver::Receiver(LinkState& link) : link_(link) {}

void Receiver::OnComm(const uint8_t* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        rx_[rxPos_ - 1] = bytes[i];
        ++rxPos_;
        // Header resynchronisation: a wrong header byte is dropped and assembly restarts
        // with the byte after it.
        if (rxPos_ >= 2 && rxPos_ <= 5 && rx_[rxPos_ - 2] != kHeader[rxPos_ - 2]) {
            rxPos_ = 1;
            continue;
        }
        if (rxPos_ < 6) continue;
        const int length = rx_[4];
        // No reply the editor knows is shorter than the bare envelope or longer than a
        // settings dump; such a frame is dropped at once, which also keeps assembly inside
        // the buffer.
        if (length < kEnvelopeBytes || length > kSettingsDumpLength) {
            rxPos_ = 1;
            continue;
        }
        if (rxPos_ >= length + 1) {
            rxPos_ = 1;
            ExamineFrame(length);
        }
    }
}

void Receiver::ExamineFrame(int length) {
    // Frame offsets are 0-based here: offset k sits in rx_[k].
    const bool presenceReply = rx_[length - 1] == kTrailer[1] && rx_[length - 2] == kTrailer[0] &&
                               length == kPresenceReplyLength && rx_[5] == kCmdGainDelay;
    const int replyAddress = rx_[6];
    if (presenceReply && replyAddress >= 1 && replyAddress <= kMaxAddress) {
        link_.PingPending = 0;
        link_.OnlineTable(replyAddress) = 1;
        link_.SendCount = 0;
    }
    // The dump's trailer is not checked: a damaged trailer still carries usable settings.
    const bool settingsDump = length == kSettingsDumpLength && rx_[5] == kCmdLimiter &&
                              rx_[length - 3] == link_.DeviceAddress;
    if (settingsDump) {
        std::copy_n(rx_.begin(), kSettingsDumpLength - 1, recall_.begin());
        link_.RecallPending = 0;
        link_.SendCount = 0;
    }
}

}  // namespace sonavel
