#include "controls/MaskRules.h"

#include <cctype>

namespace maskedit {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// The shadow's character at p, or none when it is shorter.
char ShadowAt(const std::string& shadow, size_t p) {
    return p < shadow.size() ? shadow[p] : '\0';
}

char LimitAt(const std::string& limit, size_t i) {
    return i < limit.size() ? limit[i] : '9';
}

// The highest digit a '0' position takes.
char HighestDigit(const Config& config, const std::string& shadow, size_t p) {
    if (config.dateMode) {
        switch (p) {
        case 0: return '3';
        case 1: return ShadowAt(shadow, 0) == '3' ? '1' : '9';
        case 3: return '1';
        case 4: return ShadowAt(shadow, 3) == '1' ? '2' : '9';
        default: return '9';
        }
    }
    switch (p) {
    case 0: return LimitAt(config.hourLimit, 0);
    case 1: return ShadowAt(shadow, 0) == LimitAt(config.hourLimit, 0) ? LimitAt(config.hourLimit, 1) : '9';
    case 3: return LimitAt(config.minuteLimit, 0);
    case 4:
        return ShadowAt(shadow, 3) == LimitAt(config.minuteLimit, 0) ? LimitAt(config.minuteLimit, 1) : '9';
    default: return '9';
    }
}

bool IsLiteral(const Config& config, size_t p) {
    return !config.prompt.empty() && p < config.prompt.size() && config.prompt[p] != '_';
}

// Overwrites the character under the caret (or appends at the end), keeps
// it in the shadow and moves the caret past it.
void Enter(State& state, char c) {
    if (state.caret < state.text.size()) state.text[state.caret] = c;
    else state.text.insert(state.text.end(), c);
    if (state.shadow.size() <= state.caret) state.shadow.resize(state.caret + 1, ' ');
    state.shadow[state.caret] = c;
    ++state.caret;
}

// Types the literals under the caret, as the control does by itself.
void TypeLiterals(const Config& config, State& state) {
    while (IsLiteral(config, state.caret)) Enter(state, config.prompt[state.caret]);
}

}  // namespace

Verdict Check(const Config& config, const std::string& shadow, size_t p, char c) {
    if (p >= config.mask.size()) return Verdict::Refuse;
    if (config.extra.find(c) != std::string::npos) return Verdict::Accept;
    bool ok = false;
    switch (config.mask[p]) {
    case '0':
        if (!IsDigit(c)) return Verdict::Refuse;
        return c <= HighestDigit(config, shadow, p) ? Verdict::Accept : Verdict::RefuseSilently;
    case '9': ok = IsDigit(c); break;
    // Signed numbers: the keypad's plus and minus as well.
    case '#': ok = IsDigit(c) || c == ' ' || c == '+' || c == '-'; break;
    case '&': ok = std::isprint(static_cast<unsigned char>(c)) != 0; break;
    case '?': ok = IsLetter(c) || c == ' '; break;
    case 'A': ok = IsLetter(c) || IsDigit(c); break;
    case 'L': ok = IsLetter(c); break;
    case 'a': ok = IsLetter(c) || IsDigit(c) || c == ' '; break;
    default: ok = false; break;  // a literal position
    }
    return ok ? Verdict::Accept : Verdict::Refuse;
}

Verdict TypeChar(const Config& config, State& state, char c) {
    if (state.caret >= config.mask.size()) return Verdict::Refuse;
    // The literal goes in even when the character after it is refused.
    TypeLiterals(config, state);
    const Verdict verdict = Check(config, state.shadow, state.caret, c);
    if (verdict != Verdict::Accept) return verdict;
    Enter(state, c);
    TypeLiterals(config, state);
    return Verdict::Accept;
}

bool Backspace(const Config& config, State& state, bool hasSelection) {
    if (hasSelection || state.caret < 1 || state.caret > state.shadow.size()) return false;
    --state.caret;
    if (!config.defaultText.empty()) {
        const size_t p = state.caret;
        Enter(state, p < config.defaultText.size() ? config.defaultText[p] : ' ');
        TypeLiterals(config, state);
        state.caret = p;
    }
    return true;
}

}  // namespace maskedit
