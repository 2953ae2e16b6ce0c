#pragma once
// The one conversion between the user's bytes and the UTF-16 text toolkits show. Valid
// UTF-8 reads as the text it encodes; every byte that is not part of a valid sequence
// becomes a lone low surrogate U+DC80 … U+DCFF (drawn as a replacement glyph, so it stays
// visible) and turns back into that same byte. Valid UTF-8 never encodes a surrogate, so
// bytes → text → bytes gives back every byte string unchanged. Any thread.

#include <string>
#include <string_view>

namespace pellow {

std::u16string BytesToText(std::string_view bytes);
std::string TextToBytes(std::u16string_view text);

} // namespace pellow
