#include "macro/date_format.h"

#include <cstdio>

namespace kl::support {
namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Locale(LCTYPE type) {
    char buf[128] = {};
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return n > 0 ? std::string(buf) : std::string();
}

std::string SystemDate(const SYSTEMTIME& t, DWORD flags) {
    char buf[128] = {};
    return GetDateFormatA(LOCALE_USER_DEFAULT, flags, &t, nullptr, buf, sizeof buf) > 0 ? buf : "";
}

std::string SystemTime(const SYSTEMTIME& t, DWORD flags) {
    char buf[128] = {};
    return GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &t, nullptr, buf, sizeof buf) > 0 ? buf : "";
}

std::string Num(int v, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, v);
    return buf;
}

bool HasAmPm(std::string_view p) {
    std::string lower;
    for (char c : p) lower += Lower(c);
    return lower.find("am/pm") != std::string::npos || lower.find("a/p") != std::string::npos ||
           lower.find("ampm") != std::string::npos;
}

bool StartsNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(s[i]) != prefix[i]) return false;
    return true;
}

std::size_t RunOf(std::string_view s, std::size_t i) {
    std::size_t n = 0;
    while (i + n < s.size() && Lower(s[i + n]) == Lower(s[i])) ++n;
    return n;
}

}  // namespace

std::string FormatDateTime(std::string_view p, const SYSTEMTIME& t) {
    static const LCTYPE kShortDays[] = {LOCALE_SABBREVDAYNAME7, LOCALE_SABBREVDAYNAME1, LOCALE_SABBREVDAYNAME2,
                                        LOCALE_SABBREVDAYNAME3, LOCALE_SABBREVDAYNAME4, LOCALE_SABBREVDAYNAME5,
                                        LOCALE_SABBREVDAYNAME6};
    static const LCTYPE kLongDays[] = {LOCALE_SDAYNAME7, LOCALE_SDAYNAME1, LOCALE_SDAYNAME2, LOCALE_SDAYNAME3,
                                       LOCALE_SDAYNAME4, LOCALE_SDAYNAME5, LOCALE_SDAYNAME6};
    const bool twelve = HasAmPm(p);
    const int hour = twelve ? (t.wHour % 12 == 0 ? 12 : t.wHour % 12) : t.wHour;
    const int month = (t.wMonth >= 1 && t.wMonth <= 12) ? t.wMonth : 1;
    const int weekday = t.wDayOfWeek % 7;
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < p.size();) {
        const char c = Lower(p[i]);
        if (p[i] == '\'' || p[i] == '"') {
            const auto end = p.find(p[i], i + 1);
            const std::size_t stop = end == std::string_view::npos ? p.size() : end;
            out.append(p.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (StartsNoCase(p.substr(i), "am/pm")) { out += t.wHour < 12 ? "am" : "pm"; i += 5; continue; }
        if (StartsNoCase(p.substr(i), "a/p")) { out += t.wHour < 12 ? "a" : "p"; i += 3; continue; }
        if (StartsNoCase(p.substr(i), "ampm")) {
            out += Locale(t.wHour < 12 ? LOCALE_S1159 : LOCALE_S2359);
            i += 4;
            continue;
        }
        const std::size_t run = RunOf(p, i);
        bool hourToken = false;
        switch (c) {
            case 'c':
                out += SystemDate(t, DATE_SHORTDATE) + " " + SystemTime(t, 0);
                i += 1;
                break;
            case 'd': {
                const std::size_t n = run > 6 ? 6 : run;
                if (n == 1) out += Num(t.wDay, 1);
                else if (n == 2) out += Num(t.wDay, 2);
                else if (n == 3) out += Locale(kShortDays[weekday]);
                else if (n == 4) out += Locale(kLongDays[weekday]);
                else if (n == 5) out += SystemDate(t, DATE_SHORTDATE);
                else out += SystemDate(t, DATE_LONGDATE);
                i += n;
                break;
            }
            case 'm': {
                const std::size_t n = run > 4 ? 4 : run;
                if (afterHour && n <= 2) out += Num(t.wMinute, static_cast<int>(n));
                else if (n <= 2) out += Num(month, static_cast<int>(n));
                else out += Locale((n == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1) + month - 1);
                i += n;
                break;
            }
            case 'y':
                out += run >= 3 ? Num(t.wYear, 4) : Num(t.wYear % 100, 2);
                i += run >= 4 ? 4 : run;
                break;
            case 'h':
                out += Num(hour, run >= 2 ? 2 : 1);
                i += run >= 2 ? 2 : 1;
                hourToken = true;
                break;
            case 'n':
                out += Num(t.wMinute, run >= 2 ? 2 : 1);
                i += run >= 2 ? 2 : 1;
                break;
            case 's':
                out += Num(t.wSecond, run >= 2 ? 2 : 1);
                i += run >= 2 ? 2 : 1;
                break;
            case 'z':
                out += Num(t.wMilliseconds, run >= 3 ? 3 : 1);
                i += run >= 3 ? 3 : 1;
                break;
            case 't':
                out += SystemTime(t, run >= 2 ? 0 : TIME_NOSECONDS);
                i += run >= 2 ? 2 : 1;
                break;
            case '/': out += Locale(LOCALE_SDATE); i += 1; break;
            case ':': out += Locale(LOCALE_STIME); i += 1; break;
            default: out += p[i]; i += 1; break;
        }
        // "m" means minutes right after an hour, with only separators between.
        if (hourToken) afterHour = true;
        else if (c != ':' && c != ' ' && c != '.') afterHour = false;
    }
    return out;
}

}  // namespace kl::support
