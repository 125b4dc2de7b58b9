// The INI text rules shared by every settings reader and writer. Input: a section, a
// key and a value to write, a second section and key to watch, then the file's text.
// Properties: the written value reads back as a file holding only that line would give
// it; a second write of it changes nothing; every other key reads as before.
#include "fuzz_input.h"
#include "ini_text.h"

using namespace brightlock::ini;

namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const std::string_view section = in.piece(), key = in.piece(), rawValue = in.piece();
    const std::string_view otherSection = in.piece(), otherKey = in.piece();
    const std::string_view text = in.rest();

    const auto before = lookup(text, otherSection, otherKey);
    if (!isValidSection(section) || !isValidKey(key))
        return 0;
    const std::string value = singleLine(rawValue);
    const std::string after = assign(text, section, key, value);

    const std::string alone = "[" + std::string(section) + "]\nk=" + value + "\n";
    fuzz::require(lookup(after, section, key) == lookup(alone, section, "k"));
    fuzz::require(assign(after, section, key, value) == after);
    if (!(sameName(section, otherSection) && sameName(key, otherKey)))
        fuzz::require(lookup(after, otherSection, otherKey) == before);
    return 0;
}
