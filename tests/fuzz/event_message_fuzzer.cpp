// Feeds arbitrary bytes to the host as an event message: whatever arrives, nothing may crash,
// and only well-formed lines may reach the fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/event_message.h"
#include "notes/decimal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view payload(reinterpret_cast<const char*>(data), size);
    yorimemo::EventFields fields;
    yorimemo::splitEventMessage(payload, fields);
    bool ended = false;
    for (const auto& line : fields.lines) {
        if (!line) {
            ended = true;
            continue;
        }
        // Fields are a leading run of non-empty lines without CR LF inside.
        if (ended || line->empty() || line->find("\r\n") != std::string::npos) std::abort();
        yorimemo::parseDecimal(*line);
    }
    return 0;
}
