#include "devsim/FrameAssembler.h"

#include <algorithm>

namespace sonavel::devsim {

void FrameAssembler::SkipToPossibleHeader() {
    size_t start = 0;
    for (; start < pending_.size(); ++start) {
        const size_t available = std::min<size_t>(4, pending_.size() - start);
        if (std::equal(pending_.begin() + start, pending_.begin() + start + available, kHeader)) break;
    }
    pending_.erase(pending_.begin(), pending_.begin() + start);
}

std::vector<Bytes> FrameAssembler::Feed(const uint8_t* bytes, size_t count) {
    pending_.insert(pending_.end(), bytes, bytes + count);
    std::vector<Bytes> frames;
    while (true) {
        SkipToPossibleHeader();
        if (pending_.size() < 5) break;
        const int length = pending_[4];
        if (length < kMinFrameLength || length > kMaxFrameLength) {
            pending_.erase(pending_.begin());  // a false start: look again after its first byte
            continue;
        }
        if (pending_.size() < static_cast<size_t>(length)) break;
        if (pending_[length - 2] != kTrailer[0] || pending_[length - 1] != kTrailer[1]) {
            pending_.erase(pending_.begin());
            continue;
        }
        frames.emplace_back(pending_.begin(), pending_.begin() + length);
        pending_.erase(pending_.begin(), pending_.begin() + length);
    }
    return frames;
}

}  // namespace sonavel::devsim
