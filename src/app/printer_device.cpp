#include "app/printer_device.h"

namespace {

bool IsSeparator(wchar_t c)
{
    return c == L',' || c == L' ';
}

// The token at or after pos, skipping separators; pos ends after it.
std::wstring NextToken(const std::wstring& text, size_t& pos)
{
    while (pos < text.size() && IsSeparator(text[pos]))
        ++pos;
    const size_t start = pos;
    while (pos < text.size() && !IsSeparator(text[pos]))
        ++pos;
    return text.substr(start, pos - start);
}

}  // namespace

bool SplitPrinterDevice(const std::wstring& profileValue, PrinterDevice& out)
{
    out = PrinterDevice{};
    const size_t comma = profileValue.find(L',');
    if (comma == std::wstring::npos)
        return false;
    out.device = profileValue.substr(0, comma);
    size_t pos = comma + 1;
    out.driver = NextToken(profileValue, pos);
    out.port = NextToken(profileValue, pos);
    return !out.device.empty() && !out.driver.empty() && !out.port.empty();
}
