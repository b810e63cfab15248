// libFuzzer target: the editor's gap buffer against a plain string, and the classifier and
// command check on every line it ends up holding.
#include "editor/text_buffer.h"
#include "editor/token_classifier.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    text_buffer buf;
    std::string model;
    size_t i = 0;
    // Each step: an op byte, a position byte pair, a length byte, then (for inserts) the bytes.
    while (i + 4 <= size) {
        const uint8_t op = data[i];
        const int64_t pos = ((data[i + 1] << 8) | data[i + 2]) % (static_cast<int64_t>(model.size()) + 1);
        const size_t len = data[i + 3] % 32;
        i += 4;
        if (op & 1) {
            const size_t n = std::min(len, size - i);
            const std::string bytes(reinterpret_cast<const char *>(data + i), n);
            i += n;
            buf.insert(pos, bytes);
            model.insert(static_cast<size_t>(pos), bytes);
        } else {
            buf.remove(pos, static_cast<int64_t>(len));
            model.erase(static_cast<size_t>(pos), len);
        }
        if (buf.size() != static_cast<int64_t>(model.size()))
            std::abort();
        const int64_t probe = model.empty() ? 0 : pos % static_cast<int64_t>(model.size());
        const int64_t line = buf.line_of(probe);
        if (buf.line_start(line) > probe || buf.line_end(line) < probe)
            std::abort();
        buf.char_length(probe);
        buf.prev_char(probe);
    }
    if (buf.text() != model)
        std::abort();
    std::vector<token_classifier::token> tokens;
    std::vector<uint8_t> entries;
    for (int64_t l = 0; l < buf.line_count(); ++l) {
        const int64_t b = buf.line_start(l), n = buf.line_length(l);
        if (model.compare(static_cast<size_t>(b), static_cast<size_t>(n), buf.mid(b, n)) != 0)
            std::abort();
        const char *p = buf.range_ptr(b, n);
        const int len = static_cast<int>(n);
        if (token_classifier::split(p, len, tokens)) {
            const std::vector<int> cls = token_classifier::classify(p, tokens);
            if (cls.size() != tokens.size())
                std::abort();
        }
        token_classifier::line_entries(p, len, entries);
        if (entries.size() != static_cast<size_t>(len))
            std::abort();
        token_classifier::line_valid(p, len);
        if (len > 0)
            token_classifier::entry_at(p, len, len / 2);
    }
    return 0;
}
