#include "players/review.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace tapo::players::review {

namespace {

// The example as tokens: numbers, operators "+ - · :", the unknown "?",
// "=" and the comparison signs.
struct Token {
  enum Kind { Number, Op, Unknown, Equals, Relation } kind;
  long value = 0;
  std::string op;
};

std::optional<std::vector<Token>> tokens_of(std::string_view s) {
  std::vector<Token> out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == ' ') {
      ++i;
    } else if (c >= '0' && c <= '9') {
      long v = 0;
      while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v < 100000) v = v * 10 + (s[i++] - '0');
      out.push_back({Token::Number, v, {}});
    } else if (c == '+' || c == '-' || c == ':' || c == '.' || c == '*' || c == '/') {
      const char* op = c == '.' || c == '*' ? "·" : c == '/' ? ":" : nullptr;
      out.push_back({Token::Op, 0, op ? op : std::string(1, static_cast<char>(c))});
      ++i;
    } else if (s.substr(i, 2) == "·" || s.substr(i, 2) == "×" || s.substr(i, 2) == "÷" || s.substr(i, 3) == "−") {
      const bool minus = s.substr(i, 3) == "−";
      out.push_back({Token::Op, 0, minus ? "-" : s.substr(i, 2) == "÷" ? ":" : "·"});
      i += minus ? 3 : 2;
    } else if (c == '?') {
      out.push_back({Token::Unknown, 0, {}});
      ++i;
    } else if (c == '=') {
      out.push_back({Token::Equals, 0, {}});
      ++i;
    } else if (c == '<' || c == '>') {
      out.push_back({Token::Relation, 0, std::string(1, static_cast<char>(c))});
      ++i;
    } else {
      return std::nullopt;  // words: no arithmetic
    }
  }
  return out;
}

std::optional<long> value_of(long a, const std::string& op, long b) {
  if (op == "+") return a + b;
  if (op == "-") return a - b;
  if (op == "·") return a * b;
  if (op == ":" && b != 0 && a % b == 0) return a / b;
  return std::nullopt;
}

std::string normal(long a, const std::string& op, long b) {
  if ((op == "+" || op == "·") && b < a) std::swap(a, b);
  return std::to_string(a) + " " + op + " " + std::to_string(b);
}

// a op b = r with one of the three unknown (the others known): the fact.
std::optional<std::string> solved(std::optional<long> a, const std::string& op, std::optional<long> b,
                                  std::optional<long> r) {
  if (!a && b && r) {
    if (op == "+") a = *r - *b;
    else if (op == "-") a = *r + *b;
    else if (op == "·" && *b != 0 && *r % *b == 0) a = *r / *b;
    else if (op == ":") a = *r * *b;
  } else if (a && !b && r) {
    if (op == "+") b = *r - *a;
    else if (op == "-") b = *a - *r;
    else if (op == "·" && *a != 0 && *r % *a == 0) b = *r / *a;
    else if (op == ":" && *r != 0 && *a % *r == 0) b = *a / *r;
  }
  if (!a || !b || *a < 0 || *b < 0 || !value_of(*a, op, *b)) return std::nullopt;
  if (r && value_of(*a, op, *b) != r) return std::nullopt;  // not what the example says
  return normal(*a, op, *b);
}

// A side of a comparison: a number, or two numbers with an operator whose
// value is whole.
std::optional<Side> side_of(const std::vector<Token>& t, std::size_t from, std::size_t to) {
  if (to - from == 1 && t[from].kind == Token::Number) return Side{t[from].value, "", 0};
  if (to - from == 3 && t[from].kind == Token::Number && t[from + 1].kind == Token::Op &&
      t[from + 2].kind == Token::Number && value_of(t[from].value, t[from + 1].op, t[from + 2].value))
    return Side{t[from].value, t[from + 1].op, t[from + 2].value};
  return std::nullopt;
}

std::string normal(const Side& s) { return s.op.empty() ? std::to_string(s.a) : normal(s.a, s.op, s.b); }

}  // namespace

std::optional<std::string> fact_of(std::string_view example, std::string_view expected) {
  const auto t = tokens_of(example);
  if (!t || t->empty()) return std::nullopt;
  auto number = [&](std::size_t i) -> std::optional<long> {
    return (*t)[i].kind == Token::Number ? std::optional<long>((*t)[i].value) : std::nullopt;
  };
  auto is = [&](std::size_t i, Token::Kind k) { return (*t)[i].kind == k; };
  const std::size_t n = t->size();
  // a op b = r, one of the three (or the operator) the unknown.
  if (n == 5 && is(3, Token::Equals)) {
    if (is(1, Token::Unknown)) {  // the missing operator: the (first) sign expected says which
      const auto e = tokens_of(expected);
      if (!e || e->empty() || (*e)[0].kind != Token::Op) return std::nullopt;
      return solved(number(0), (*e)[0].op, number(2), number(4));
    }
    if (!is(1, Token::Op)) return std::nullopt;
    const int unknowns = is(0, Token::Unknown) + is(2, Token::Unknown) + is(4, Token::Unknown);
    if (unknowns != 1) return std::nullopt;
    return solved(number(0), (*t)[1].op, number(2), number(4));
  }
  // A pair of the memory cards: "5 + 4" that is 9.
  if (n == 3 && is(1, Token::Op)) return solved(number(0), (*t)[1].op, number(2), std::nullopt);
  // A comparison: "12 ? 9", "3 + 4 ? 9".
  for (std::size_t i = 0; i < n; ++i)
    if (is(i, Token::Unknown)) {
      if (expected != "<" && expected != ">" && expected != "=") return std::nullopt;
      const auto left = side_of(*t, 0, i), right = side_of(*t, i + 1, n);
      if (!left || !right) return std::nullopt;
      std::string a = normal(*left), b = normal(*right);
      if (right->value() < left->value() || (right->value() == left->value() && b < a)) std::swap(a, b);
      return a + " ? " + b;
    }
  return std::nullopt;
}

long Side::value() const { return op.empty() ? a : value_of(a, op, b).value_or(-1); }

std::string Side::game_text() const {
  if (op.empty()) return std::to_string(a);
  return std::to_string(a) + " " + (op == "·" ? "." : op) + " " + std::to_string(b);
}

bool within(const Side& s, long largest, bool products) {
  if (s.op.empty()) return s.a <= largest;
  if (s.op == "+" || s.op == "-") return s.a <= largest && s.b <= largest && s.value() >= 0 && s.value() <= largest;
  if (!products) return false;
  if (s.op == "·") return s.a <= 10 && s.b <= 10 && s.value() <= largest;
  return s.b <= 10 && s.value() <= 10 && s.a <= largest;
}

std::optional<Fact> parse_fact(std::string_view fact) {
  const auto t = tokens_of(fact);
  if (!t) return std::nullopt;
  auto side = [&](std::size_t from, std::size_t to) { return side_of(*t, from, to); };
  const auto mark = std::find_if(t->begin(), t->end(), [](const Token& k) { return k.kind == Token::Unknown; });
  if (mark == t->end()) {
    const auto left = side(0, t->size());
    if (!left || left->op.empty()) return std::nullopt;
    return Fact{*left, std::nullopt};
  }
  const auto at = static_cast<std::size_t>(mark - t->begin());
  const auto left = side(0, at), right = side(at + 1, t->size());
  if (!left || !right) return std::nullopt;
  return Fact{*left, *right};
}

int days_until_due(int box) {
  switch (box) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 7;
    default: return 0;
  }
}

}  // namespace tapo::players::review
