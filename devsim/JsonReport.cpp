#include "devsim/JsonReport.h"

#include <cstdio>
#include <ctime>

#include "model/JsonText.h"

namespace sonavel::devsim {

namespace {

std::string IsoTime(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(time);
    const auto millis = duration_cast<milliseconds>(time.time_since_epoch()).count() % 1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, static_cast<int>(millis));
    return text;
}

std::string StoreJson(const ParameterStore& store) {
    std::string out = "{";
    bool firstField = true;
    for (const StoreField& field : StoreFields()) {
        if (!HeldByUnit(field)) continue;
        out += (firstField ? "" : ",") + JsonQuoted(std::string(field.name)) + ":[";
        firstField = false;
        if (field.shape == FieldShape::PerBand) {
            for (int ch = 1; ch <= kChannelCount; ++ch) {
                out += ch == 1 ? "[" : ",[";
                for (int band = 1; band <= kBandCount; ++band)
                    out += (band == 1 ? "" : ",") +
                           std::to_string(ReadStoreField(store, field, ElementIndex(field, ch, band)));
                out += "]";
            }
        } else {
            for (int i = 0; i < field.Count(); ++i)
                out += (i == 0 ? "" : ",") + std::to_string(ReadStoreField(store, field, i));
        }
        out += "]";
    }
    return out + "}";
}

}  // namespace

std::string HexBytes(const Bytes& bytes) {
    std::string out;
    char hex[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        out += hex;
    }
    return out;
}

std::string FrameLogLine(std::chrono::system_clock::time_point time, const Bytes& frame,
                         const FrameOutcome& outcome) {
    const DecodedMessage& m = outcome.message;
    std::string out = "{\"time\":" + JsonQuoted(IsoTime(time)) + ",\"bytes\":" + JsonQuoted(HexBytes(frame)) +
                      ",\"command\":" + std::to_string(m.command) + ",\"address\":" +
                      std::to_string(m.address) + ",\"kind\":" + JsonQuoted(KindName(m.kind));
    if (m.slot != 0) out += ",\"slot\":" + std::to_string(m.slot);
    if (m.kind == MessageKind::ProgramAddress || m.kind == MessageKind::ReadAddress)
        out += ",\"addressArgument\":" + std::to_string(m.addressArgument);
    out += ",\"fields\":{";
    for (size_t i = 0; i < m.fields.size(); ++i)
        out += (i == 0 ? "" : ",") + JsonQuoted(m.fields[i].Name()) + ":" + std::to_string(m.fields[i].value);
    return out + "},\"outcome\":" + JsonQuoted(outcome.outcome) + "}";
}

std::string StateJson(const std::vector<SimulatedUnit>& units) {
    std::string out = "{\"units\":[";
    for (size_t u = 0; u < units.size(); ++u) {
        out += (u == 0 ? "" : ",") + std::string("{\"address\":") + std::to_string(units[u].Address()) +
               ",\"working\":" + StoreJson(units[u].Working()) + ",\"slots\":[";
        for (int slot = 1; slot <= kSlotCount; ++slot)
            out += (slot == 1 ? "" : ",") + StoreJson(units[u].Slot(slot));
        out += "]}";
    }
    return out + "]}\n";
}

}  // namespace sonavel::devsim
