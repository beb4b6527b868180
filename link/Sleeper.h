#pragma once
// The pacing pause after every sent message blocks the caller's thread. The pause is
// injected so that tests can run on virtual time.
namespace sonavel {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Sleep(int milliseconds) = 0;
};

// Blocks the calling thread for real.
class ThreadSleeper : public Sleeper {
public:
    void Sleep(int milliseconds) override;
};

}  // namespace sonavel
