#pragma once
// The parameter store: every device parameter of both channels, as the unit holds them.
// Channel numbers run 1..2 and band numbers 1..7 in every accessor; bands 1..5 are the
// parametric equalizer bands, band 6 the low-pass slot and band 7 the high-pass slot.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace sonavel {

constexpr int kChannelCount = 2;
constexpr int kBandCount = 7;
constexpr int kEqBandCount = 5;
constexpr int kLowPassBand = 6;
constexpr int kHighPassBand = 7;
constexpr int kHighestRatio = 20;        // CompRatio 1..20 is the ratio 1:n
constexpr int16_t kLimiterRatio = 100;   // the step above 1:20, shown as "Limiter"

// A field with one value per channel and band, stored channel-fastest: element
// (channel, band) sits at (channel - 1) + 2 * (band - 1) of a 14-element run.
template <class T>
class BandArray {
public:
    static constexpr int kSize = kChannelCount * kBandCount;

    static int slot(int channel, int band) {
        if (channel < 1 || channel > kChannelCount || band < 1 || band > kBandCount)
            throw std::out_of_range("channel " + std::to_string(channel) + " band " +
                                    std::to_string(band));
        return (channel - 1) + kChannelCount * (band - 1);
    }
    T& operator()(int channel, int band) { return values_[slot(channel, band)]; }
    const T& operator()(int channel, int band) const { return values_[slot(channel, band)]; }
    std::array<T, kSize>& raw() { return values_; }
    const std::array<T, kSize>& raw() const { return values_; }
    bool operator==(const BandArray&) const = default;

private:
    std::array<T, kSize> values_{};
};

// A field addressed by a number from 1 to N.
template <class T, int N>
class OneBasedArray {
public:
    static constexpr int kSize = N;

    T& operator()(int number) { return values_[index(number)]; }
    const T& operator()(int number) const { return values_[index(number)]; }
    std::array<T, N>& raw() { return values_; }
    const std::array<T, N>& raw() const { return values_; }
    bool operator==(const OneBasedArray&) const = default;

private:
    static int index(int number) {
        if (number < 1 || number > N) throw std::out_of_range("number " + std::to_string(number));
        return number - 1;
    }
    std::array<T, N> values_{};
};

template <class T>
using ChannelArray = OneBasedArray<T, kChannelCount>;

struct ParameterStore {
    // Per channel and band.
    BandArray<int16_t> EqType;          // 1 peak, 4 high shelf, 5 low shelf, 2..11 crossover codes
    BandArray<int16_t> EqFreqPosition;  // 0..300 on the frequency tables
    BandArray<int16_t> EqFrequency;     // 20..20160 Hz
    BandArray<int16_t> EqGain;          // 0..48, dB = (24 - EqGain) * 0.5
    BandArray<int16_t> EqQFactor;       // 0..100 on the Q table
    BandArray<int16_t> EqByPass;        // 1 = band switched off
    BandArray<double> EqGainDb;         // derived, for the plot and the gain text
    BandArray<double> EqQValue;         // derived, for the Q text

    // Per channel.
    ChannelArray<int16_t> LpType;  // band-6 crossover list position 0..8
    ChannelArray<int16_t> HpType;  // band-7 crossover list position 0..8
    ChannelArray<int16_t> MuteState;
    ChannelArray<int16_t> OutputLevel;   // 0..145, what the unit receives as output gain
    ChannelArray<int16_t> DelaySamples;  // 1..151, samples at 48 kHz plus one
    ChannelArray<int16_t> CompThreshold; // 0..100, dB = (value - 100) * 0.5
    ChannelArray<int16_t> CompAttack;    // 0..200 ms
    ChannelArray<int16_t> CompRelease;   // 1..1000 dB/S
    ChannelArray<int16_t> CompRatio;     // 1..20, or 100 for the limiter
    ChannelArray<int16_t> LoudnessParam1;
    ChannelArray<int16_t> LoudnessParam2;
    ChannelArray<int16_t> LoudnessParam3;
    ChannelArray<int16_t> InvertStatus;
    ChannelArray<int16_t> FuncByPass3;
    ChannelArray<int16_t> FuncByPass6;
    ChannelArray<int16_t> FuncByPass8;

    // 1, 2: input gain of channel 1, 2; 3, 4: output gain of channel 1, 2.
    // dB = (GainLevel - 121) * 0.5; 0 is mute.
    OneBasedArray<int16_t, 4> GainLevel;

    bool operator==(const ParameterStore&) const = default;
};

// Writes the start-up defaults. EqByPass, MuteState, OutputLevel, FuncByPass8 and the
// derived doubles keep the values they have.
void InitDSPPremeter(ParameterStore& store);

// EqType code for a crossover list position of band 6 or 7; position 0 ("ByPass") and
// positions outside 1..8 keep the current code.
int16_t CrossoverEqType(int band, int listPosition, int16_t currentType);

// Stores a crossover list position into LpType (band 6) or HpType (band 7) and rewrites
// the band's EqType by the crossover rule.
void SetCrossoverListPosition(ParameterStore& store, int channel, int band, int listPosition);

// Rewrites EqType of bands 6 and 7 of both channels from LpType and HpType by the crossover
// rule, as after any bulk change of the store.
void ApplyCrossoverListPositions(ParameterStore& store);

// EqType code of an equalizer type list position: 0 Peak -> 1, 1 High Shelf -> 4,
// 2 Low Shelf -> 5; -1 for no selection.
int16_t EqTypeForListPosition(int listPosition);

// The output level the unit receives: 0 while muted, else the channel's output gain.
int16_t OutputLevelRule(const ParameterStore& store, int channel);

}  // namespace sonavel
