#include "veltro/session/command_line.h"

#include <array>
#include <limits>
#include <vector>

#include "common/format.h"

namespace veltro {
namespace {

constexpr std::string_view kCaption = "VELTRO";
constexpr const char* kInvalidArgument = "LOG : Geen geldig argument.\nArgument[%d]: %s";
constexpr std::string_view kInvalidPort =
    "LOG : Geen geldig seriële-poort argument. \n"
    "Alleen poortnummers 1,2,3 en 4 zijn toegestaan.\nCOM1 zal gebruikt worden.";
constexpr std::string_view kInvalidBaudRate =
    "LOG : Geen geldig baudrate argument.\n9600 baud zal gebruikt worden.";
constexpr const char* kInvalidIpPort =
    "LOG : Geen geldig IP-poort argument: %s\n"
    "Alleen poortnummers 1 t/m 65535 zijn toegestaan.\n%d zal gebruikt worden.";
// A name is not looked up: the controller is reached by its address.
constexpr const char* kInvalidIpAddress =
    "LOG : Geen geldig IP-adres argument: %s\n"
    "Een IP-adres zoals 192.168.1.1 wordt verwacht; een naam wordt niet opgezocht.";

constexpr std::array<int, 15> kBaudRates = {110,   300,   600,    1200,   2400,
                                            4800,  9600,  14400,  19200,  38400,
                                            56000, 57600, 115200, 128000, 256000};

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
        std::size_t end = pos;
        while (end < text.size() && text[end] != ' ') {
            ++end;
        }
        if (end > pos) {
            std::string word(text.substr(pos, end - pos));
            for (char& c : word) {
                if (c >= 'a' && c <= 'z') {
                    c = static_cast<char>(c - 'a' + 'A');
                }
            }
            words.push_back(std::move(word));
        }
        pos = end;
    }
    return words;
}

// Leading digits with an optional sign, 0 without any; out-of-range numbers
// saturate instead of wrapping into a plausible-looking value.
int decimalValue(std::string_view word) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < word.size() && (word[pos] == '+' || word[pos] == '-')) {
        negative = word[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < word.size() && word[pos] >= '0' && word[pos] <= '9'; ++pos) {
        value = value * 10 + (word[pos] - '0');
        if (value > std::numeric_limits<int>::max()) {
            value = std::numeric_limits<int>::max() + 1LL;
            break;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > std::numeric_limits<int>::max()) {
        value = std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

// Four decimal numbers 0..255 joined by dots, as the link connects to them.
bool isDottedAddress(std::string_view text) {
    int parts = 0;
    std::size_t pos = 0;
    while (parts < 4) {
        std::size_t digits = 0;
        int value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            value = value * 10 + (text[pos++] - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        if (++parts < 4 && (pos >= text.size() || text[pos++] != '.'))
            return false;
    }
    return pos == text.size();
}

bool isIpPort(int port) {
    return port >= 1 && port <= 65535;
}

// A port out of range (a word is 0) is refused for the default one.
void checkIpPort(const std::string& word, SessionOptions& o, Prompts& prompts) {
    if (isIpPort(o.ipPort))
        return;
    o.ipPort = SessionOptions{}.ipPort;
    prompts.messageBox(kCaption, common::format(kInvalidIpPort, word.c_str(), o.ipPort),
                       PromptIcon::None);
}

bool isBaudRate(int rate) {
    for (int known : kBaudRates) {
        if (rate == known) {
            return true;
        }
    }
    return false;
}

// Handles a keyword without a value; false when the word is none of them.
bool applyFlagWord(const std::string& w, SessionOptions& o) {
    if (w == "DPCOM" || w == "-D") {
        o.startDpcom = true;
    } else if (w == "AFNAME" || w == "-A") {
        o.startAfname = true;
    } else if (w == "PARAMETERS" || w == "-P") {
        o.startParameters = true;
    } else if (w == "VERSCHILLEN" || w == "-V") {
        o.startVerschillen = true;
    } else if (w == "-NORECONNECT") {
        o.reconnect = false;
    } else if (w.size() == 4 && w.starts_with("COM") && w[3] >= '1' && w[3] <= '4') {
        o.serialPort = w[3] - '0';
    } else {
        return false;
    }
    return true;
}

// Handles a keyword that takes the next word; false when the word is none.
bool applyValueWord(const std::string& w, const std::string& value, SessionOptions& o) {
    if (w == "-C") {
        o.serialPort = decimalValue(value);
    } else if (w == "-B") {
        o.baudRate = decimalValue(value);
    } else if (w == "-IP") {
        o.ipAddress = value.substr(0, SessionOptions::kIpAddressLimit);
        o.linkKind = LinkKind::Ip;
    } else if (w == "-IPP") {
        o.ipPort = decimalValue(value);
    } else {
        return false;
    }
    return true;
}

}  // namespace

SessionOptions parseCommandLine(std::string_view text, Prompts& prompts) {
    SessionOptions options;
    const std::vector<std::string> words = splitWords(text);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (applyFlagWord(word, options)) {
            continue;
        }
        // A value keyword as the last word takes an empty value.
        const std::string value = i + 1 < words.size() ? words[i + 1] : std::string();
        if (applyValueWord(word, value, options)) {
            if (word == "-IPP")
                checkIpPort(value, options, prompts);
            ++i;
            continue;
        }
        const int number = decimalValue(word);
        if (number >= 1) {
            options.baudRate = number;
        } else {
            prompts.messageBox(kCaption,
                               common::format(kInvalidArgument, static_cast<int>(i), word.c_str()),
                               PromptIcon::None);
        }
    }
    if (options.linkKind == LinkKind::Ip) {
        if (!isDottedAddress(options.ipAddress)) {
            prompts.messageBox(kCaption,
                               common::format(kInvalidIpAddress, options.ipAddress.c_str()),
                               PromptIcon::None);
        }
        return options;
    }
    if (static_cast<unsigned>(options.serialPort) - 1U >= 4U) {
        options.serialPort = 1;
        prompts.messageBox(kCaption, kInvalidPort, PromptIcon::None);
    }
    if (!isBaudRate(options.baudRate)) {
        options.baudRate = 9600;
        prompts.messageBox(kCaption, kInvalidBaudRate, PromptIcon::None);
    }
    return options;
}

std::string_view startCommand(const SessionOptions& options) {
    if (options.startDpcom) {
        return "Start DPCOM...";
    }
    if (options.startAfname) {
        return "Start Automatische Afname...";
    }
    if (options.startParameters) {
        return "Start Automatische Parameteraanpassing...";
    }
    if (options.startVerschillen) {
        return "Start Verschillen met ZXAPTAB.C vinden...";
    }
    return {};
}

}  // namespace veltro
