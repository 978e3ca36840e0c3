#include "pendrel/session/generation_form.h"

#include <cctype>
#include <charconv>

#include "common/format.h"

namespace pendrel {
namespace {

constexpr int kLowestStart = 0;
constexpr int kHighestStart = 101;
constexpr std::size_t kMaxExtension = 3;
constexpr std::size_t kMaxName = 5;

// An integer field as a dialog reads it: blanks around it allowed, a sign,
// digits and nothing else.
std::optional<int> integerField(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    std::size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    std::string_view digits(text.data() + first, last - first + 1);
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    int value = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

std::string tooLong(std::size_t limit) {
    return common::format("Please enter no more than %zu characters.", limit);
}

}  // namespace

GenerationForm GenerationForm::from(const GenerationSettings& settings) {
    GenerationForm form;
    form.directory = settings.targetDirectory.string();
    form.scheme = settings.scheme;
    form.extension = settings.extension;
    form.name = settings.name;
    form.startNumber = std::to_string(settings.startNumber);
    form.selected = settings.selected;
    return form;
}

std::optional<std::string> checkForm(const GenerationForm& form) {
    std::optional<int> start = integerField(form.startNumber);
    if (!start) {
        return "Please enter an integer.";
    }
    if (*start < kLowestStart || *start > kHighestStart) {
        return common::format("Please enter an integer between %d and %d.", kLowestStart,
                              kHighestStart);
    }
    if (form.extension.size() > kMaxExtension) {
        return tooLong(kMaxExtension);
    }
    if (form.name.size() > kMaxName) {
        return tooLong(kMaxName);
    }
    return std::nullopt;
}

GenerationSettings settingsFrom(const GenerationForm& form, const GenerationSettings& base) {
    GenerationSettings settings = base;
    settings.targetDirectory = form.directory;
    settings.scheme = form.scheme;
    settings.extension = form.extension;
    settings.name = form.name;
    settings.startNumber = integerField(form.startNumber).value_or(base.startNumber);
    settings.selected = form.selected;
    return settings;
}

}  // namespace pendrel
