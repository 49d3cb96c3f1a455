#include "windows/digitfilter.h"

namespace DigitFilter {

bool accepts(int keyAscii)
{
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 || keyAscii == 127;
}

} // namespace DigitFilter
