// The place list in its order: a day record stores the index of the chosen code.
#pragma once

inline constexpr const char16_t* kPlaceCodes[] = {u"LIB", u"FRND", u"SP", u"SL", u"WK", u"HM", u"TVL", u"OTH"};
