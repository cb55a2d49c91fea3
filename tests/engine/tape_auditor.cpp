#include "engine/tape_auditor.h"

#include <gmpxx.h>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

const std::string kRuleLine(26, '-');
const std::string kTimes = "\xD7";
const std::string kDivide = "\xF7";

using Exact = mpq_class;

Exact Power10(long power) {
    mpz_class ten;
    mpz_ui_pow_ui(ten.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(power)));
    Exact q = power >= 0 ? Exact(ten) : Exact(mpz_class(1), ten);
    q.canonicalize();
    return q;
}

// The exact value of a printed figure: "1,234.50", "-0.125", "1.5E+25".
std::optional<Exact> Figure(const std::string& text) {
    std::string t;
    for (char c : text)
        if (c != ',') t += c;
    std::size_t i = 0;
    bool negative = i < t.size() && t[i] == '-';
    if (negative) ++i;
    std::string digits;
    long scale = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') {
            digits += t[i];
            if (point) ++scale;
        } else if (t[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits.empty()) return std::nullopt;
    long exponent = 0;
    if (i < t.size() && t[i] == 'E') {
        bool down = ++i < t.size() && t[i] == '-';
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        if (i == t.size()) return std::nullopt;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            exponent = exponent * 10 + (t[i] - '0');
            if (exponent > 100000) return std::nullopt;
        }
        if (down) exponent = -exponent;
    }
    if (i != t.size()) return std::nullopt;
    Exact q = Exact(mpz_class(digits, 10)) * Power10(exponent - scale);
    return negative ? Exact(-q) : q;
}

std::string Text(const Exact& q) {
    return q.get_str();
}

// Half a unit of the calculator's 64-bit mantissa, relative.
constexpr double kUnit = 0x1p-64;

// The open calculation as the paper shows it, with a bound on how far the calculator's
// binary total can be from it: each figure read and each operation is off by up to
// half a unit of the mantissa, and a product or quotient carries the error before it.
struct Column {
    bool open = false;
    bool unaudited = false;  // it went through Hex, Bin or Oct
    Exact total;
    std::string lastOp;
    double largest = 0;
    double error = 0;

    static double Size(const Exact& x) { return std::fabs(x.get_d()); }
    // `hidden`: how far, relative, the calculator's own figure may be from the printed
    // one; more than the mantissa's half unit where results are not rounded and carry
    // digits past the 18 printed.
    void Start(const Exact& x, double hidden = kUnit) {
        open = true;
        unaudited = false;
        total = x;
        largest = Size(x);
        error = largest * hidden;
    }
    double Slack() const { return 4 * error; }
};

// `exact` rounded to `decimals`, an exact half away from zero.
Exact Rounded(const Exact& exact, int decimals) {
    Exact scaled = abs(exact) * Power10(decimals);
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    if (scaled - Exact(whole) >= Exact(1, 2)) whole += 1;
    Exact rounded = Exact(whole) * Power10(-decimals);
    return exact < 0 ? Exact(-rounded) : rounded;
}

// The last total as the display shows it under `decimals`.
Exact AsShown(const Exact& total, int decimals) {
    return decimals < 0 ? total : Rounded(total, decimals);
}

// Whether the printed figure `shown` is `exact` rounded once to `decimals`, half away
// from zero, or a neighbour that the calculator's error (`slack`) excuses.
bool RoundsTo(const Exact& shown, const Exact& exact, int decimals, const Column& column,
              std::string& reason) {
    const double slack = column.Slack();
    const double size = std::fabs(exact.get_d());
    // Beyond the doubles that measure the error (1E+308) nothing is judged.
    if (!std::isfinite(size) || !std::isfinite(slack)) return true;
    const int magnitude = size > 0 ? static_cast<int>(std::floor(std::log10(size))) : 0;
    // Half a unit of the 18th digit: how far the calculator's decimal reading of its
    // binary figure may move it.
    const double digit18 = size > 0 ? 0.5 * std::pow(10.0, magnitude - 17) : 0;
    const double off = std::fabs(Exact(shown - exact).get_d());
    if (decimals < 0) {
        // As computed: the figures carry 18 digits, and each printed one may hide the
        // 19th of the figure the calculator went on with.
        const double widest = std::max(size, column.largest);
        const double digits = widest > 0 ? std::pow(10.0, std::floor(std::log10(widest)) - 17) : 0;
        if (off <= slack + 4 * digits) return true;
        reason = "the result as computed is " + Text(exact);
        return false;
    }
    Exact scaled = abs(exact) * Power10(decimals);
    mpz_class whole;
    mpz_fdiv_q(whole.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    Exact fraction = scaled - Exact(whole);
    const Exact half(1, 2);
    if (fraction >= half) whole += 1;
    Exact rounded = Exact(whole) * Power10(-decimals);
    if (exact < 0) rounded = -rounded;
    if (shown == rounded) return true;

    const double step = std::pow(10.0, -decimals);
    const double toHalf = std::fabs(Exact((fraction - half) * Power10(-decimals)).get_d());
    // The digit that decides the rounding lies past the 18 the calculator carries.
    bool beyondDigits = decimals > 16 - magnitude;
    bool excused;
    if (fraction == half)
        excused = beyondDigits || slack >= digit18;
    else
        excused = beyondDigits || toHalf <= slack + 2 * digit18;
    if (excused && off <= step / 2 + slack + 2 * digit18) return true;
    reason = "rounded once it is " + Text(rounded) + " (exactly " + Text(exact) + ")";
    return false;
}

struct Split {
    std::string body, mark;
};

// "2  " is the body "2" with the blank mark of a first item.
Split SplitLine(const std::string& line) {
    if (line.size() >= 2 && line.compare(line.size() - 2, 2, "  ") == 0)
        return {line.substr(0, line.size() - 2), " "};
    std::size_t blank = line.rfind(' ');
    if (blank == std::string::npos) return {line, ""};
    return {line.substr(0, blank), line.substr(blank + 1)};
}

bool IsOperatorMark(const std::string& mark) {
    return mark == "+" || mark == "-" || mark == kTimes || mark == kDivide || mark == " ";
}

void Apply(Column& c, const std::string& op, const Exact& x) {
    const double before = Column::Size(c.total), size = Column::Size(x);
    const double read = size * kUnit;  // the figure as the calculator holds it
    if (op == "+" || op == "-") {
        c.total = op == "+" ? Exact(c.total + x) : Exact(c.total - x);
        c.error += read;
    } else if (op == kTimes) {
        c.total *= x;
        c.error = c.error * size + before * read;
    } else if (op == kDivide && x != 0) {
        c.total /= x;
        c.error = (c.error + before * kUnit) / size + before * read / (size * size);
    }
    const double after = Column::Size(c.total);
    c.error += after * kUnit;
    c.largest = std::max({c.largest, size, after});
}

}  // namespace

AuditFinding AuditTape(const std::vector<std::string>& lines, const AuditSettings& settings) {
    AuditFinding finding;
    auto fail = [&](std::size_t i, const std::string& reason) {
        finding.addsUp = false;
        finding.line = static_cast<int>(i);
        finding.reason = "\"" + lines[i] + "\": " + reason;
        return finding;
    };
    // Unrounded results go on with digits past the 18 their lines show.
    int decimals = settings.decimals;
    auto hidden = [&] { return decimals < 0 ? 1e-17 : kUnit; };
    const std::optional<Exact> rate = Figure(settings.taxRate);
    const Exact factor = 1 + (rate ? *rate : Exact(0)) / 100;
    Column c;
    std::optional<Exact> lastResult;  // unknown until the tape shows one
    bool otherSystem = false;
    bool shownChanged = false;  // the display may no longer show the last total
    std::string reason;

    std::size_t nextChange = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        while (nextChange < settings.changes.size() && settings.changes[nextChange].first <= i) {
            decimals = settings.changes[nextChange++].decimals;
            // The display is shown again by the new setting; the last total stays as it
            // was and is shown by the setting of the moment.
            shownChanged = true;
        }
        const std::string& line = lines[i];
        if (line == "(Hex)" || line == "(Bin)" || line == "(Oct)" || line == "(Dec)") {
            otherSystem = line != "(Dec)";
            c.unaudited = c.unaudited || c.open;
            shownChanged = true;  // the shown figure went through a whole-number system
            continue;
        }
        if (line == "Clear") {
            c.open = false;
            continue;
        }
        if (line.empty() || line == kRuleLine) continue;
        const Split l = SplitLine(line);

        if (l.mark == "=") {
            std::optional<Exact> shown = Figure(l.body);
            if (!shown || otherSystem) {
                lastResult.reset();
            } else if (c.open && !c.unaudited) {
                if (!RoundsTo(*shown, c.total, decimals, c, reason))
                    return fail(i, reason);
            } else if (!c.open && lastResult && *shown != AsShown(*lastResult, decimals)) {
                return fail(i, "a repeated = shows the last result " + Text(*lastResult));
            }
            if (shown && !otherSystem) lastResult = shown;
            shownChanged = false;
            c.open = false;
            continue;
        }
        if (l.mark == "CH") {
            std::optional<Exact> change = Figure(l.body);
            const std::string& tendered = i >= 2 ? lines[i - 2] : std::string();
            std::size_t minus = tendered.find(" - ");
            if (change && tendered == "No Change" && *change != 0) return fail(i, "no change is 0");
            if (change && minus != std::string::npos) {
                std::optional<Exact> given = Figure(tendered.substr(0, minus));
                std::optional<Exact> total = Figure(tendered.substr(minus + 3));
                if (given && total) {
                    if (lastResult && *total != AsShown(*lastResult, decimals))
                        return fail(i - 2, "the last total was " + Text(*lastResult));
                    Column change_;
                    change_.Start(*given);
                    Apply(change_, "-", *total);
                    change_.error += Column::Size(*total) * hidden();
                    if (!RoundsTo(*change, change_.total, decimals, change_, reason))
                        return fail(i, reason);
                }
            }
            lastResult = change;
            c.open = false;
            continue;
        }
        if (l.mark == "Tx") {
            Split next = i + 1 < lines.size() ? SplitLine(lines[i + 1]) : Split{};
            // On an entry the taxed amount is the next operand, whose line shows it.
            if (next.mark != "+Tx") continue;
            std::optional<Exact> amount = Figure(l.body), taxed = Figure(next.body);
            if (!amount || !taxed || otherSystem) {
                c.unaudited = c.unaudited || c.open;
                ++i;
                continue;
            }
            if (c.open && !c.unaudited && !RoundsTo(*amount, c.total, decimals, c, reason))
                return fail(i, "the running total " + reason);
            // On a closed result: the last total, or the 0 that Clear or CE left shown.
            if (!c.open && lastResult && !shownChanged &&
                *amount != AsShown(*lastResult, decimals) && *amount != 0)
                return fail(i, "the last total was " + Text(*lastResult));
            Column tax;
            tax.Start(*amount);
            Apply(tax, kTimes, factor);
            if (!RoundsTo(*taxed, tax.total, decimals, tax, reason))
                return fail(i + 1, reason);
            if (c.open) {
                bool unaudited = c.unaudited;
                c.Start(*taxed, hidden());
                c.unaudited = unaudited;
            } else {
                lastResult = taxed;
            }
            ++i;
            continue;
        }
        if (l.mark == "%" || (IsOperatorMark(l.mark) && !l.body.empty() && l.body.back() == '%')) {
            std::string number = l.mark == "%" ? l.body : l.body.substr(0, l.body.size() - 1);
            std::optional<Exact> percent = Figure(number);
            if (!percent || otherSystem) {
                c.unaudited = true;
                continue;
            }
            Exact p = *percent / 100;
            if (l.mark == "%") {
                c.Start(p);
            } else if (l.mark == kTimes) {
                Apply(c, kTimes, p);
            } else if (l.mark == kDivide) {
                Apply(c, kDivide, p);
            } else if (l.mark == "+" || l.mark == "-") {
                // The total times 1 + p or 1 - p, in the calculator's three steps.
                Exact share = c.total * p;
                double carried = c.error;
                Apply(c, l.mark, share);
                c.error += carried * Column::Size(p) + Column::Size(share) * 2 * kUnit;
            }
            continue;
        }
        if (!IsOperatorMark(l.mark)) continue;  // memory, copy, tool and lap lines

        std::string op = l.mark == " " ? c.lastOp : l.mark;
        if (l.body == "Div0 Error" && c.open) {
            c.lastOp = op;  // a division by zero leaves the total as it was
            continue;
        }
        std::optional<Exact> entry = Figure(l.body);
        if (!c.open) {
            c.Start(entry ? *entry : Exact(0));
            c.lastOp = l.mark;
            c.unaudited = !entry || otherSystem;
            continue;
        }
        if (!entry || otherSystem) {
            c.unaudited = true;
            continue;
        }
        Apply(c, op, *entry);
        c.lastOp = op;
    }
    return finding;
}
