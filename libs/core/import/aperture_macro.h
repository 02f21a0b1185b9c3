// Aperture macros of Gerber files: their statements, the arithmetic of
// their expressions and their evaluation for one aperture.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bs {

// Macro variables beyond this number are refused.
inline constexpr int kMaxMacroVariable = 9999;

// Evaluates an expression of numbers and variables $n with + and -,
// multiplication (x or X) and division binding tighter, unary signs and
// parentheses. `vars[n]` is $n; variables not set are 0. Division by zero
// gives 0. Returns nothing and sets `error` for malformed text.
std::optional<double> EvalMacroExpression(std::string_view text, const std::vector<double>& vars, std::string& error);

// One statement of a macro: a variable definition ($n=expression) or a
// primitive (its code and the expressions of its values).
struct TMacroStatement {
  bool Assignment = false;
  int Variable = 0;
  std::string Expression;
  int Code = 0;
  std::vector<std::string> Values;
};

struct TApertureMacro {
  std::string Name;
  std::vector<TMacroStatement> Statements;
};

// Reads one statement (blanks included); false with an empty error for a
// comment (code 0 followed by text), false with a message for bad text.
bool ParseMacroStatement(std::string_view text, TMacroStatement& st, std::string& error);

// A primitive with its values evaluated.
struct TMacroPrimitive {
  int Code = 0;
  std::vector<double> Values;
};

// Evaluates the macro for an aperture's parameters ($1 ... $n). Returns an
// error message, or an empty string.
std::string InstantiateMacro(const TApertureMacro& m, const std::vector<double>& params,
                             std::vector<TMacroPrimitive>& out);

}  // namespace bs
