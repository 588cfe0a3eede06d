// TagLib reads text that says it is Latin-1 (ID3v1 fields, ID3v2 frames in
// encoding 0, RIFF INFO chunks) through string handlers of its own. Taggers
// of Windows wrote such text in the system code page, so these handlers
// read it as every other text from outside: UTF-8 as it is, anything else in
// the legacy code page.
#pragma once

namespace tarvo {

// Sets the handlers once for the process; any thread, before TagLib reads.
void ReadLatin1TagTextInLegacyCodepage();

}  // namespace tarvo
