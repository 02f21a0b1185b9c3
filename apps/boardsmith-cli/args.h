// A small parser for the options and positional arguments of a subcommand.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bs::cli {

// Declares what a subcommand accepts, then parses its arguments. Options
// are "--name value" or "--name=value"; flags take no value; "--" ends the
// options.
class TArgs {
 public:
  TArgs& Flag(const std::string& name);
  TArgs& Option(const std::string& name);
  // An option with a value that may be given several times.
  TArgs& Repeated(const std::string& name);

  // Returns an error message, or an empty string when the arguments fit.
  std::string Parse(const std::vector<std::string>& args);

  bool Has(const std::string& name) const;
  std::optional<std::string> Value(const std::string& name) const;
  // Every value of a repeated option, in the order given.
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return positional_; }

  // Reads an option as an integer; an error message when it is not one.
  std::string IntValue(const std::string& name, long long lo, long long hi, long long& out) const;

 private:
  std::map<std::string, bool> known_;  // name -> takes a value
  std::map<std::string, bool> repeated_;
  std::map<std::string, std::string> values_;
  std::map<std::string, std::vector<std::string>> allValues_;
  std::vector<std::string> positional_;
};

// Parses a whole decimal number within [lo, hi].
bool ParseInt(const std::string& text, long long lo, long long hi, long long& out);
// Parses a finite decimal number; "," is accepted as the decimal separator.
bool ParseNumber(const std::string& text, double& out);
// The point of an "X,Y" option such as --at: empty when it is given and both
// are numbers, else the message for the user.
std::string PointOption(const TArgs& a, const std::string& name, double& x, double& y);

}  // namespace bs::cli
