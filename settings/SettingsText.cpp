#include "SettingsText.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

std::string FormatRate(float rate) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.3g", static_cast<double>(rate));
    return text;
}

float ParseRate(const std::string& text) {
    return static_cast<float>(std::atof(text.c_str()));
}

int LeadingInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

bool SlowRateAccepted(float rate) {
    double stored = rate;
    return stored >= 0.1 && stored <= 0.9;
}

int SpinValue(const std::string& text, int lower, int upper) {
    int value = LeadingInteger(text);
    return value < lower ? lower : value > upper ? upper : value;
}
