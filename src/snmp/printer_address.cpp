// The printer's network address behind the print queue's port: the driver's
// IPP port monitor knows the URL, the standard TCP/IP port monitor the address.
#include <cstring>
#include <string>
#include <vector>

#include "snmp/printer_config.h"
#include "snmp/record_values.h"

namespace {

constexpr char16_t kIppMonitorName[] = u"KELO IPP Port";
constexpr uint32_t kXcvAddressSize = 512;

char16_t AsciiUpper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameNoCase(const std::u16string& a, const char16_t* b) {
    size_t n = std::char_traits<char16_t>::length(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; i++)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

// Characters that end a URL's host; the colon ends it too unless the host is
// a bracketed IPv6 literal.
bool EndsHost(char16_t c, bool bracketed) {
    static const char16_t kStops[] = u"~!@#$^&*()=+[]{}\\|;'\",<>/";
    if (c == 0) return true;
    if (c == u':') return !bracketed;
    for (const char16_t* s = kStops; *s; s++)
        if (*s == c) return true;
    return false;
}

}  // namespace

size_t ExtractUrlHost(const char16_t* url, size_t urlCapacity, char16_t* out, size_t capacity) {
    if (!out || capacity == 0) return 0;
    out[0] = 0;
    if (!url) return 0;
    size_t length = 0;
    while (length < urlCapacity && url[length] != 0) length++;
    size_t p = 0;
    while (p + 1 < length && !(url[p] == u'/' && url[p + 1] == u'/')) p++;
    if (p + 1 >= length) return 0;
    p += 2;
    bool bracketed = p < length && url[p] == u'[';
    if (bracketed) p++;
    size_t n = 0;
    while (p < length && !EndsHost(url[p], bracketed) && n + 1 < capacity) out[n++] = url[p++];
    out[n] = 0;
    return n;
}

uint32_t GetIppPortInfo(const char16_t* portName, uint8_t* out) {
    if (!portName || !out) return kErrInvalidParameter;
    std::vector<PortEntry> ports;
    // A port list that cannot be read is taken for the monitor's port: the
    // monitor's own answer decides then.
    bool ipp = true;
    if (Spool().EnumLocalPorts(&ports) == 0) {
        ipp = false;
        for (const PortEntry& port : ports)
            if (SameNoCase(port.portName, portName) && SameNoCase(port.monitorName, kIppMonitorName)) ipp = true;
    }
    if (!ipp) return kNotIppPort;
    std::u16string name = u",XcvPort ";
    name += portName;
    uint32_t needed = 0;
    uint32_t inputSize = static_cast<uint32_t>((std::char_traits<char16_t>::length(portName) + 1) * 2);
    return Spool().TransceiveData(name.c_str(), 1, u"GetPortInfo", portName, inputSize, out, kIppPortInfoSize,
                                  &needed);
}

int GetPrinterAddress(PrinterHandle printer, char* address, uint32_t size) {
    if (!address || size == 0) return 0;
    PrinterInfo2 info;
    if (!Spool().GetPrinterInfo2(printer, &info)) return 0;
    char16_t host[kIppPortInfoSize / 2] = {};
    std::vector<uint8_t> portInfo(kIppPortInfoSize, 0);
    if (GetIppPortInfo(info.portName.c_str(), portInfo.data()) != 0) {
        std::u16string name = info.serverName.empty() ? u"" : info.serverName + u"\\";
        name += u",XcvPort " + info.portName;
        char16_t answer[kXcvAddressSize / 2 + 1] = {};
        uint32_t needed = 0;
        if (Spool().TransceiveData(name.c_str(), 0, u"IPAddress", nullptr, 0, answer, kXcvAddressSize, &needed) == 0)
            std::memcpy(host, answer, sizeof answer);
    } else {
        // The URL lies in the monitor's answer; it is read no further than its end.
        char16_t url[(kIppPortInfoSize - kIppPortUrlOffset) / 2];
        std::memcpy(url, portInfo.data() + kIppPortUrlOffset, sizeof url);
        ExtractUrlHost(url, sizeof url / 2, host, sizeof host / 2);
    }
    if (host[0] == 0) return 0;
    return Text16ToAnsi(host, sizeof host / 2, address, size) > 0 ? 1 : 0;
}
