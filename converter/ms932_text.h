// Model texts arrive as MS932 bytes (the bridge encodes Java strings so); this reads them back
// as Unicode characters for outputs that must name each character exactly.
#pragma once

#include <string>

// The character that starts at byte `position` of `text` (position < text.size()), and moves
// `position` past it. -1 for a byte that starts no valid MS932 character (for example the
// first half of a double-byte character cut off at the end of a field); it is passed over alone.
long decodeMs932(const std::string& text, size_t& position);
