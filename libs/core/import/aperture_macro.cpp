#include "import/aperture_macro.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace bs {

namespace {
// Recursive descent over the text: expression = term {(+|-) term},
// term = factor {(x|X|/) factor}, factor = [+|-] factor | ( expression ) |
// number | $n. The depth of nesting is bounded.
class TExprParser {
 public:
  TExprParser(std::string_view t, const std::vector<double>& v) : t_(t), vars_(v) {}

  std::optional<double> Run(std::string& error) {
    const double v = Expression(0);
    Blanks();
    if (error_.empty() && pos_ != t_.size()) error_ = "unexpected '" + std::string(1, t_[pos_]) + "' in expression";
    if (!error_.empty()) {
      error = error_;
      return std::nullopt;
    }
    return std::isfinite(v) ? v : 0.0;
  }

 private:
  void Blanks() {
    while (pos_ < t_.size() && (t_[pos_] == ' ' || t_[pos_] == '\t')) ++pos_;
  }
  bool Eat(char c) {
    Blanks();
    if (pos_ < t_.size() && t_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  double Expression(int depth) {
    double v = Term(depth);
    while (error_.empty()) {
      if (Eat('+')) v += Term(depth);
      else if (Eat('-')) v -= Term(depth);
      else break;
    }
    return v;
  }
  double Term(int depth) {
    double v = Factor(depth);
    while (error_.empty()) {
      if (Eat('x') || Eat('X')) {
        v *= Factor(depth);
      } else if (Eat('/')) {
        const double d = Factor(depth);
        v = d == 0 ? 0 : v / d;
      } else {
        break;
      }
    }
    return v;
  }
  double Factor(int depth) {
    if (depth > 64) {
      error_ = "expression nested too deeply";
      return 0;
    }
    if (Eat('-')) return -Factor(depth + 1);
    if (Eat('+')) return Factor(depth + 1);
    if (Eat('(')) {
      const double v = Expression(depth + 1);
      if (error_.empty() && !Eat(')')) error_ = "missing ')' in expression";
      return v;
    }
    Blanks();
    if (pos_ < t_.size() && t_[pos_] == '$') {
      ++pos_;
      size_t start = pos_;
      long n = 0;
      while (pos_ < t_.size() && std::isdigit(static_cast<unsigned char>(t_[pos_])) && pos_ - start < 6)
        n = n * 10 + (t_[pos_++] - '0');
      if (pos_ == start) {
        error_ = "'$' without a variable number";
        return 0;
      }
      return n < long(vars_.size()) ? vars_[size_t(n)] : 0.0;
    }
    const size_t start = pos_;
    while (pos_ < t_.size() && (std::isdigit(static_cast<unsigned char>(t_[pos_])) || t_[pos_] == '.') &&
           pos_ - start < 40)
      ++pos_;
    if (pos_ == start) {
      error_ = pos_ < t_.size() ? "unexpected '" + std::string(1, t_[pos_]) + "' in expression"
                                : "expression ends too early";
      return 0;
    }
    const std::string num(t_.substr(start, pos_ - start));
    char* end = nullptr;
    const double v = std::strtod(num.c_str(), &end);
    if (end != num.c_str() + num.size()) error_ = "bad number '" + num + "'";
    return v;
  }

  std::string_view t_;
  const std::vector<double>& vars_;
  size_t pos_ = 0;
  std::string error_;
};

std::string Trimmed(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return std::string(s.substr(a, b - a));
}
}  // namespace

std::optional<double> EvalMacroExpression(std::string_view text, const std::vector<double>& vars, std::string& error) {
  return TExprParser(text, vars).Run(error);
}

bool ParseMacroStatement(std::string_view text, TMacroStatement& st, std::string& error) {
  error.clear();
  const std::string t = Trimmed(text);
  st = TMacroStatement{};
  if (t.empty()) return false;
  // A comment: code 0 followed by a blank or text.
  if (t[0] == '0' && (t.size() == 1 || !(std::isdigit(static_cast<unsigned char>(t[1])) || t[1] == ','))) return false;
  if (t[0] == '$') {
    const size_t eq = t.find('=');
    if (eq == std::string::npos) {
      error = "macro statement '" + t + "' is neither a primitive nor a variable definition";
      return false;
    }
    long n = 0;
    size_t k = 1;
    for (; k < eq && std::isdigit(static_cast<unsigned char>(t[k])); ++k) {
      n = n * 10 + (t[k] - '0');
      if (n > kMaxMacroVariable) break;
    }
    if (k != eq || k == 1 || n > kMaxMacroVariable) {
      error = "bad variable in macro statement '" + t + "'";
      return false;
    }
    st.Assignment = true;
    st.Variable = int(n);
    st.Expression = t.substr(eq + 1);
    return true;
  }
  size_t k = 0;
  long code = 0;
  while (k < t.size() && std::isdigit(static_cast<unsigned char>(t[k])) && k < 4) code = code * 10 + (t[k++] - '0');
  if (k == 0 || (k < t.size() && t[k] != ',')) {
    error = "bad macro primitive '" + t + "'";
    return false;
  }
  st.Code = int(code);
  // Values are bounded by the text length, which the tokenizer bounds.
  size_t pos = k;
  while (pos < t.size()) {
    const size_t next = t.find(',', pos + 1);
    st.Values.push_back(
        Trimmed(std::string_view(t).substr(pos + 1, next == std::string::npos ? std::string::npos : next - pos - 1)));
    pos = next == std::string::npos ? t.size() : next;
  }
  return true;
}

std::string InstantiateMacro(const TApertureMacro& m, const std::vector<double>& params,
                             std::vector<TMacroPrimitive>& out) {
  std::vector<double> vars(params.size() + 1, 0.0);
  for (size_t i = 0; i < params.size(); ++i) vars[i + 1] = params[i];
  out.clear();
  std::string error;
  for (const TMacroStatement& st : m.Statements) {
    if (st.Assignment) {
      const auto v = EvalMacroExpression(st.Expression, vars, error);
      if (!v) return "macro " + m.Name + ": " + error;
      if (size_t(st.Variable) >= vars.size()) vars.resize(size_t(st.Variable) + 1, 0.0);
      vars[size_t(st.Variable)] = *v;
      continue;
    }
    TMacroPrimitive p;
    p.Code = st.Code;
    p.Values.reserve(st.Values.size());
    for (const std::string& e : st.Values) {
      const auto v = EvalMacroExpression(e, vars, error);
      if (!v) return "macro " + m.Name + ": " + error;
      p.Values.push_back(*v);
    }
    out.push_back(std::move(p));
  }
  return {};
}

}  // namespace bs
