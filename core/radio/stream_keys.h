// The two kinds of text an internet stream carries, read as name/value pairs:
// the response headers ("icy-name:My Radio") and the in-stream metadata
// ("StreamTitle='Artist - Song';"). One small parser serves both.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "audio/audio_library.h"

namespace tarvo {

struct TKey {
  std::string name;
  std::string value;
};

// In the order found; names may repeat, lookup takes the first.
using TKeys = std::vector<TKey>;

// A tag block (NUL-ended texts, ended by an empty one) as one text with ";"
// for each NUL; nothing gives an empty text. A block missing its final NUL
// ends where its bytes end.
std::string FlattenTagList(const std::optional<std::string>& tags);

// Appends the pairs "name<separator>value<delimiter>" of `text` to `keys`
// (replacing them with `clearFirst`). Leading items without a separator are
// skipped; a value quoted in "'" loses the quotes; a pair whose name or value
// is blank is dropped. Names and values are kept untrimmed.
void ParseKeys(std::string text, TKeys& keys, std::string_view separator, bool clearFirst,
               std::string_view delimiter);

// The first pair whose name equals `name` ignoring case; an empty pair when
// none does.
TKey FindKey(std::string_view name, const TKeys& keys);

// The headers, then the metadata of the stream on `channel`. An Ogg station
// sends its titles as Vorbis comments at each new chain instead of as
// metadata: those become the StreamTitle ("Artist - Title") when the
// metadata has none.
TKeys ReadStreamKeys(audio::AudioLibrary& library, audio::AudioHandle channel);

}  // namespace tarvo
