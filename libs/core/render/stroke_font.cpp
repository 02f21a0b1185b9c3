#include "render/stroke_font.h"

#include <array>
#include <cstddef>

namespace bs {

namespace {

// Glyph strings are sequences of 6-character tokens: "XXXXXX" lifts the pen
// (the following points start a new stroke), "ZZZZZZ" ends the glyph, and
// anything else is a point written as sign, two digits, sign, two digits
// ("+25+80" is x = 25, y = 80). Only the first character of a token is looked
// at for the two markers.
//
// Frame: baseline y = 0, capitals and ascenders 80, x-height 45, descenders
// down to -20; glyphs start at x = 0. The largest x of a glyph is its advance
// width, so the right edge of each glyph is placed deliberately.
//
// Accented capitals (Ё, Й) keep their marks inside the 80-unit cap height by
// drawing a shorter body, so no glyph reaches above y = 80.

constexpr size_t kTokenLength = 6;

// Glyphs drawn for more than one code.

// Full stop; also every code without a glyph of its own.
constexpr std::string_view kDot = "XXXXXX+04+00+00+00+00+04+04+04+04+00+00-00ZZZZZZ";
// Apostrophe; also the grave accent.
constexpr std::string_view kApostrophe = "XXXXXX+00+80+00+60ZZZZZZ";
// Small l; also the vertical bar.
constexpr std::string_view kSmallL = "XXXXXX+00+00+00+80ZZZZZZ";
// Digit 3; also Cyrillic capital ze.
constexpr std::string_view kDigit3 =
    "XXXXXX+03+70+10+77+20+80+30+77+37+70+40+60+37+50+30+43+20+40XXXXXX+12+40+20+40+30+37+37+30+40+20+37+10+30+03+20+"
    "00+10+03+03+10ZZZZZZ";
// Capital A; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalA = "XXXXXX+00+00+25+80+50+00XXXXXX+10+30+40+30ZZZZZZ";
// Capital B; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalB =
    "XXXXXX+00+00+00+80+25+80+35+75+40+65+40+55+35+45+25+40+35+35+40+25+40+15+35+05+25+00+00+00XXXXXX+00+40+25+"
    "40ZZZZZZ";
// Capital C; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalC =
    "XXXXXX+40+63+36+72+29+78+20+80+10+77+03+70+00+60+00+20+03+10+10+03+20+00+29+02+36+08+40+17ZZZZZZ";
// Capital E; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalE = "XXXXXX+35+80+00+80+00+00+35+00XXXXXX+00+40+28+40ZZZZZZ";
// Capital H; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalH = "XXXXXX+00+00+00+80XXXXXX+40+00+40+80XXXXXX+00+40+40+40ZZZZZZ";
// Capital K; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalK = "XXXXXX+00+00+00+80XXXXXX+40+80+00+30XXXXXX+14+47+40+00ZZZZZZ";
// Capital M; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalM = "XXXXXX+00+00+00+80+25+30+50+80+50+00ZZZZZZ";
// Capital O; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalO =
    "XXXXXX+40+60+37+70+30+77+20+80+10+77+03+70+00+60+00+20+03+10+10+03+20+00+30+03+37+10+40+20+40+60ZZZZZZ";
// Capital P; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalP = "XXXXXX+00+00+00+80+20+80+30+77+37+70+40+60+37+50+30+43+20+40+00+40ZZZZZZ";
// Capital T; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalT = "XXXXXX+00+80+40+80XXXXXX+20+80+20+00ZZZZZZ";
// Capital X; also the Cyrillic letter of the same shape.
constexpr std::string_view kCapitalX = "XXXXXX+00+80+50+00XXXXXX+00+00+50+80ZZZZZZ";
// Small a; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallA =
    "XXXXXX+02+39+08+43+15+45+23+43+28+39+30+33+30+00XXXXXX+30+26+13+26+07+24+02+20+00+13+02+06+06+02+13+00+22+00+30+"
    "06ZZZZZZ";
// Small c; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallC =
    "XXXXXX+25+41+20+44+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+20+01+25+04ZZZZZZ";
// Small e; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallE =
    "XXXXXX+00+24+30+24+30+30+28+38+23+43+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+21+01+26+04ZZZZZZ";
// Small o; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallO =
    "XXXXXX+30+30+28+38+23+43+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+23+02+28+07+30+15+30+30ZZZZZZ";
// Small p; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallP =
    "XXXXXX+00+45+00-20XXXXXX+00+30+02+38+08+43+15+45+23+43+28+38+30+30+30+15+28+08+23+02+15+00+08+02+02+08+00+"
    "15ZZZZZZ";
// Small x; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallX = "XXXXXX+00+45+40+00XXXXXX+00+00+40+45ZZZZZZ";
// Small y; also the Cyrillic letter of the same shape.
constexpr std::string_view kSmallY = "XXXXXX+00+45+20+00XXXXXX+40+45+14-14+10-18+05-20+00-20ZZZZZZ";

struct TGlyphEntry {
  uint8_t Code;
  std::string_view Glyph;
};

// Every code with a glyph of its own (Windows-1251). The codes missing here
// are drawn with the full stop.
constexpr TGlyphEntry kGlyphEntries[] = {
    {' ', "ZZZZZZ"},                                                                          // space
    {'!', "XXXXXX+00+80+00+20XXXXXX+00+00+00+04ZZZZZZ"},                                      // exclamation mark
    {'"', "XXXXXX+00+80+00+60XXXXXX+15+80+15+60ZZZZZZ"},                                      // quotation mark
    {'#', "XXXXXX+20+80+12+00XXXXXX+38+80+30+00XXXXXX+00+55+50+55XXXXXX+00+25+50+25ZZZZZZ"},  // number sign
    {'$',
     "XXXXXX+36+63+29+68+20+70+10+68+03+63+00+55+03+48+10+42+19+40+20+40+29+38+36+33+39+25+36+18+29+12+20+10+10+12+"
     "03+18XXXXXX+20+80+20+00ZZZZZZ"},  // dollar sign
    {'%',
     "XXXXXX+11+78+06+76+01+71+00+64+01+57+05+52+11+50+17+52+21+57+22+64+21+71+16+76+11+78XXXXXX+52+80+08+00XXXXXX+"
     "49+30+44+28+39+23+38+16+39+09+43+04+49+02+55+04+59+09+60+16+59+23+55+28+49+30ZZZZZZ"},  // percent sign
    {'&',
     "XXXXXX+50+00+14+48+08+57+07+67+11+76+19+80+27+77+31+69+29+60+20+52+06+40+00+27+01+14+08+04+19+00+30+02+40+10+"
     "47+22+49+30ZZZZZZ"},                                                  // ampersand
    {'\'', kApostrophe},                                                    // apostrophe
    {'(', "XXXXXX+15+80+07+68+02+52+00+35+02+18+07+02+15-10ZZZZZZ"},        // left parenthesis
    {')', "XXXXXX+00+80+08+68+13+52+15+35+13+18+08+02+00-10ZZZZZZ"},        // right parenthesis
    {'*', "XXXXXX+20+72+20+28XXXXXX+00+62+40+38XXXXXX+00+38+40+62ZZZZZZ"},  // asterisk
    {'+', "XXXXXX+00+35+40+35XXXXXX+20+15+20+55ZZZZZZ"},                    // plus sign
    {',', "XXXXXX+10+04+10+00+00-12ZZZZZZ"},                                // comma
    {'-', "XXXXXX+00+35+40+35ZZZZZZ"},                                      // hyphen-minus
    {'.', kDot},                                                            // full stop
    {'/', "XXXXXX+00+00+40+80ZZZZZZ"},                                      // slash
    {'0',
     "XXXXXX+40+60+37+70+30+77+20+80+10+77+03+70+00+60+00+20+03+10+10+03+20+00+30+03+37+10+40+20+40+60XXXXXX+07+15+"
     "33+65ZZZZZZ"},                                                                                      // digit 0
    {'1', "XXXXXX+00+50+25+80+25+00ZZZZZZ"},                                                              // digit 1
    {'2', "XXXXXX+01+67+07+75+16+79+25+79+34+74+39+66+40+56+35+47+00+00+40+00ZZZZZZ"},                    // digit 2
    {'3', kDigit3},                                                                                       // digit 3
    {'4', "XXXXXX+30+00+30+80+00+22+40+22ZZZZZZ"},                                                        // digit 4
    {'5', "XXXXXX+38+80+05+80+02+45+09+47+18+52+29+49+37+40+40+27+38+14+30+04+20+00+10+03+03+13ZZZZZZ"},  // digit 5
    {'6',
     "XXXXXX+34+74+24+80+12+78+03+71+00+60+00+20+03+10+10+03+20+00+30+03+37+10+40+20+37+30+30+37+20+40+10+37+03+30+"
     "00+20ZZZZZZ"},                          // digit 6
    {'7', "XXXXXX+00+80+40+80+12+00ZZZZZZ"},  // digit 7
    {'8',
     "XXXXXX+20+42+29+45+36+52+38+61+36+71+29+77+20+80+11+77+04+71+02+61+04+52+11+45+20+42XXXXXX+20+42+10+39+03+32+"
     "00+21+03+10+10+03+20+00+30+03+37+10+40+21+37+32+30+39+20+42ZZZZZZ"},  // digit 8
    {'9',
     "XXXXXX+06+06+16+00+28+02+37+09+40+20+40+60+37+70+30+77+20+80+10+77+03+70+00+60+03+50+10+43+20+40+30+43+37+50+"
     "40+60ZZZZZZ"},                                                                          // digit 9
    {':', "XXXXXX+04+00+00+00+00+04+04+04+04+00XXXXXX+04+36+00+36+00+40+04+40+04+36ZZZZZZ"},  // colon
    {';', "XXXXXX+04+36+00+36+00+40+04+40+04+36XXXXXX+04+04+04+00+00-10ZZZZZZ"},              // semicolon
    {'<', "XXXXXX+40+65+00+35+40+05ZZZZZZ"},                                                  // less-than sign
    {'=', "XXXXXX+00+45+40+45XXXXXX+00+25+40+25ZZZZZZ"},                                      // equals sign
    {'>', "XXXXXX+00+65+40+35+00+05ZZZZZZ"},                                                  // greater-than sign
    {'?', "XXXXXX+03+70+10+77+20+80+30+77+37+70+40+60+37+50+30+43+20+40+20+22XXXXXX+20+00+20+04ZZZZZZ"},  // question
                                                                                                          // mark
    {'@',
     "XXXXXX+23+40+22+46+20+50+16+52+13+50+10+46+09+40+10+34+12+30+16+28+20+30+22+34+23+40XXXXXX+23+54+23+32+25+27+"
     "29+26+33+30+35+40+33+58+26+70+18+75+09+70+02+58+00+40+02+22+09+10+17+05+26+10ZZZZZZ"},  // at sign
    {'A', kCapitalA},                                                                         // capital A
    {'B', kCapitalB},                                                                         // capital B
    {'C', kCapitalC},                                                                         // capital C
    {'D', "XXXXXX+00+00+00+80+20+80+30+77+37+70+40+60+40+20+37+10+30+03+20+00+00+00ZZZZZZ"},  // capital D
    {'E', kCapitalE},                                                                         // capital E
    {'F', "XXXXXX+35+80+00+80+00+00XXXXXX+00+40+28+40ZZZZZZ"},                                // capital F
    {'G',
     "XXXXXX+40+63+36+72+29+78+20+80+10+77+03+70+00+60+00+20+03+10+10+03+20+00+30+03+37+10+40+20+40+38+22+"
     "38ZZZZZZ"},                                                                 // capital G
    {'H', kCapitalH},                                                             // capital H
    {'I', "XXXXXX+00+80+40+80XXXXXX+20+80+20+00XXXXXX+00+00+40+00ZZZZZZ"},        // capital I
    {'J', "XXXXXX+40+80+40+20+37+10+30+03+20+00+10+03+03+10+00+20+00+26ZZZZZZ"},  // capital J
    {'K', kCapitalK},                                                             // capital K
    {'L', "XXXXXX+00+80+00+00+35+00ZZZZZZ"},                                      // capital L
    {'M', kCapitalM},                                                             // capital M
    {'N', "XXXXXX+00+00+00+80+40+00+40+80ZZZZZZ"},                                // capital N
    {'O', kCapitalO},                                                             // capital O
    {'P', kCapitalP},                                                             // capital P
    {'Q',
     "XXXXXX+40+60+37+70+30+77+20+80+10+77+03+70+00+60+00+20+03+10+10+03+20+00+30+03+37+10+40+20+40+60XXXXXX+24+22+"
     "45+00ZZZZZZ"},                                                                                      // capital Q
    {'R', "XXXXXX+00+00+00+80+20+80+30+77+37+70+40+60+37+50+30+43+20+40+00+40XXXXXX+20+40+40+00ZZZZZZ"},  // capital R
    {'S',
     "XXXXXX+37+70+30+77+20+80+10+77+03+70+00+60+03+50+10+43+20+40+30+37+37+30+40+20+37+10+30+03+20+00+10+03+03+"
     "10ZZZZZZ"},                                                                 // capital S
    {'T', kCapitalT},                                                             // capital T
    {'U', "XXXXXX+00+80+00+20+03+10+10+03+20+00+30+03+37+10+40+20+40+80ZZZZZZ"},  // capital U
    {'V', "XXXXXX+00+80+25+00+50+80ZZZZZZ"},                                      // capital V
    {'W', "XXXXXX+00+80+12+00+25+60+38+00+50+80ZZZZZZ"},                          // capital W
    {'X', kCapitalX},                                                             // capital X
    {'Y', "XXXXXX+00+80+25+40+50+80XXXXXX+25+40+25+00ZZZZZZ"},                    // capital Y
    {'Z', "XXXXXX+00+80+40+80+00+00+40+00ZZZZZZ"},                                // capital Z
    {'[', "XXXXXX+15+80+00+80+00-10+15-10ZZZZZZ"},                                // left square bracket
    {'\\', "XXXXXX+00+80+40+00ZZZZZZ"},                                           // backslash
    {']', "XXXXXX+00+80+15+80+15-10+00-10ZZZZZZ"},                                // right square bracket
    {'^', "XXXXXX+00+60+10+80+20+60ZZZZZZ"},                                      // circumflex accent
    {'_', "XXXXXX+00-10+50-10ZZZZZZ"},                                            // underscore
    {'`', kApostrophe},                                                           // grave accent
    {'a', kSmallA},                                                               // small a
    {'b',
     "XXXXXX+00+80+00+00XXXXXX+00+30+02+38+08+43+15+45+23+43+28+38+30+30+30+15+28+08+23+02+15+00+08+02+02+08+00+"
     "15ZZZZZZ"},    // small b
    {'c', kSmallC},  // small c
    {'d',
     "XXXXXX+30+80+30+00XXXXXX+30+30+28+38+22+43+15+45+07+43+02+38+00+30+00+15+02+08+07+02+15+00+22+02+28+08+30+"
     "15ZZZZZZ"},                                                                 // small d
    {'e', kSmallE},                                                               // small e
    {'f', "XXXXXX+05+00+05+70+06+75+10+79+15+80+20+79XXXXXX+00+45+17+45ZZZZZZ"},  // small f
    {'g',
     "XXXXXX+30+30+28+38+23+43+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+23+02+28+07+30+15+30+30XXXXXX+30+45+"
     "30-05+28-12+23-18+15-20+08-18+02-12ZZZZZZ"},                                            // small g
    {'h', "XXXXXX+00+80+00+00XXXXXX+00+30+02+38+08+43+15+45+23+43+28+38+30+30+30+00ZZZZZZ"},  // small h
    {'i', "XXXXXX+00+00+00+45XXXXXX+00+62+00+66ZZZZZZ"},                                      // small i
    {'j', "XXXXXX+10+45+10-10+09-15+05-19+00-20XXXXXX+10+62+10+66ZZZZZZ"},                    // small j
    {'k', "XXXXXX+00+80+00+00XXXXXX+30+45+00+15XXXXXX+10+25+30+00ZZZZZZ"},                    // small k
    {'l', kSmallL},                                                                           // small l
    {'m',
     "XXXXXX+00+45+00+00XXXXXX+00+33+02+39+06+43+13+45+19+43+23+39+25+33+25+00XXXXXX+25+33+27+39+31+43+38+45+44+43+"
     "48+39+50+33+50+00ZZZZZZ"},                                                              // small m
    {'n', "XXXXXX+00+45+00+00XXXXXX+00+30+02+38+08+43+15+45+23+43+28+38+30+30+30+00ZZZZZZ"},  // small n
    {'o', kSmallO},                                                                           // small o
    {'p', kSmallP},                                                                           // small p
    {'q',
     "XXXXXX+30+45+30-20XXXXXX+30+30+28+38+22+43+15+45+07+43+02+38+00+30+00+15+02+08+07+02+15+00+22+02+28+08+30+"
     "15ZZZZZZ"},                                                           // small q
    {'r', "XXXXXX+00+45+00+00XXXXXX+00+28+02+37+08+43+15+45+20+44ZZZZZZ"},  // small r
    {'s',
     "XXXXXX+28+40+23+44+15+45+08+44+02+40+00+34+02+29+07+24+15+23+23+21+28+17+30+12+28+06+23+02+15+00+08+02+02+"
     "06ZZZZZZ"},                                                                             // small s
    {'t', "XXXXXX+05+65+05+08+06+04+09+01+13+00+20+00XXXXXX+00+45+18+45ZZZZZZ"},              // small t
    {'u', "XXXXXX+00+45+00+15+02+07+07+02+15+00+23+02+28+07+30+15XXXXXX+30+45+30+00ZZZZZZ"},  // small u
    {'v', "XXXXXX+00+45+20+00+40+45ZZZZZZ"},                                                  // small v
    {'w', "XXXXXX+00+45+14+00+28+38+41+00+55+45ZZZZZZ"},                                      // small w
    {'x', kSmallX},                                                                           // small x
    {'y', kSmallY},                                                                           // small y
    {'z', "XXXXXX+00+45+30+45+00+00+30+00ZZZZZZ"},                                            // small z
    {'{', "XXXXXX+20+80+13+78+10+72+10+44+07+37+00+35+07+33+10+26+10-02+13-08+20-10ZZZZZZ"},  // left curly bracket
    {'|', kSmallL},                                                                           // vertical bar
    {'}', "XXXXXX+00+80+07+78+10+72+10+44+13+37+20+35+13+33+10+26+10-02+07-08+00-10ZZZZZZ"},  // right curly bracket
    {'~', "XXXXXX+00+29+06+35+11+41+17+43+23+41+29+35+34+29+40+27+46+29+51+35+57+41ZZZZZZ"},  // tilde
    {0x86, "XXXXXX+15+80+15-15XXXXXX+00+58+30+58ZZZZZZ"},                                     // † dagger
    {0x87, "XXXXXX+15+80+15-15XXXXXX+00+58+30+58XXXXXX+00+15+30+15ZZZZZZ"},                   // ‡ double dagger
    {0x88,
     "XXXXXX+45+72+36+78+26+80+16+76+09+68+06+58+06+22+09+12+16+04+26+00+36+02+45+08XXXXXX+00+48+34+48XXXXXX+00+32+"
     "34+32ZZZZZZ"},  // € euro sign
    {0x89,
     "XXXXXX+08+78+04+76+01+71+00+64+01+57+04+52+08+50+12+52+15+57+16+64+15+71+12+76+08+78XXXXXX+34+80+04+00XXXXXX+"
     "26+30+22+28+19+23+18+16+19+09+22+04+26+02+30+04+33+09+34+16+33+23+30+28+26+30XXXXXX+52+30+48+28+45+23+44+16+"
     "45+09+48+04+52+02+56+04+59+09+60+16+59+23+56+28+52+30ZZZZZZ"},  // ‰ per mille sign
    {0xA8, "XXXXXX+35+62+00+62+00+00+35+00XXXXXX+00+31+28+31XXXXXX+08+80+12+80XXXXXX+24+80+28+80ZZZZZZ"},  // Ё Cyrillic
                                                                                                           // capital io
    {0xB0, "XXXXXX+18+77+10+80+03+77+00+68+03+59+10+56+18+59+20+68+18+77ZZZZZZ"},  // ° degree sign
    {0xB1, "XXXXXX+00+45+40+45XXXXXX+20+25+20+65XXXXXX+00+05+40+05ZZZZZZ"},        // ± plus-minus sign
    {0xB4, "XXXXXX+00+00+00+45+25+45+25+60ZZZZZZ"},                                // ґ Cyrillic small ghe with upturn
    {0xB5,
     "XXXXXX+00+45+00-20XXXXXX+00+15+02+07+07+02+15+00+23+02+28+07+30+15XXXXXX+30+45+30+00ZZZZZZ"},  // µ micro sign
    {0xB6,
     "XXXXXX+00+45+00-20XXXXXX+00+15+01+07+05+02+10+00+15+02+19+07+20+15XXXXXX+20+45+20+00XXXXXX+34+00+34+80+58+"
     "80XXXXXX+34+40+54+40ZZZZZZ"},  // "µF" (microfarad)
    {0xB7,
     "XXXXXX+00+45+00-20XXXXXX+00+15+01+07+05+02+10+00+15+02+19+07+20+15XXXXXX+20+45+20+00XXXXXX+34+00+34+80XXXXXX+"
     "58+00+58+80XXXXXX+34+40+58+40ZZZZZZ"},  // "µH" (microhenry)
    {0xB8,
     "XXXXXX+00+24+30+24+30+30+28+38+23+43+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+21+01+26+04XXXXXX+07+62+"
     "11+62XXXXXX+19+62+23+62ZZZZZZ"},  // ё Cyrillic small io
    {0xB9,
     "XXXXXX+00+00+00+80+35+00+35+80XXXXXX+51+72+47+70+43+66+42+60+43+54+47+50+51+48+56+50+59+54+60+60+59+66+56+70+"
     "51+72XXXXXX+42+38+60+38ZZZZZZ"},  // № numero sign
    {0xC0, kCapitalA},                  // А Cyrillic capital a, drawn as Latin A
    {0xC1, "XXXXXX+38+80+00+80+00+00XXXXXX+00+48+16+48+28+45+37+36+40+24+37+12+28+03+16+00+00+00ZZZZZZ"},  // Б Cyrillic
                                                                                                           // capital be
    {0xC2, kCapitalB},                         // В Cyrillic capital ve, drawn as Latin B
    {0xC3, "XXXXXX+35+80+00+80+00+00ZZZZZZ"},  // Г Cyrillic capital ghe
    {0xC4, "XXXXXX+04+00+08+20+10+50+10+80+38+80+38+00XXXXXX+00-12+00+00+45+00+45-12ZZZZZZ"},  // Д Cyrillic capital de
    {0xC5, kCapitalE},  // Е Cyrillic capital ie, drawn as Latin E
    {0xC6,
     "XXXXXX+00+80+20+40+34+40+54+80XXXXXX+00+00+20+40XXXXXX+34+40+54+00XXXXXX+27+80+27+00ZZZZZZ"},  // Ж Cyrillic
                                                                                                     // capital zhe
    {0xC7, kDigit3},                                 // З Cyrillic capital ze, drawn as digit 3
    {0xC8, "XXXXXX+00+80+00+00+40+80+40+00ZZZZZZ"},  // И Cyrillic capital i
    {0xC9, "XXXXXX+00+62+00+00+40+62+40+00XXXXXX+10+80+11+76+15+73+20+72+25+73+29+76+30+80ZZZZZZ"},  // Й Cyrillic
                                                                                                     // capital short i
    {0xCA, kCapitalK},                                                       // К Cyrillic capital ka, drawn as Latin K
    {0xCB, "XXXXXX+00+00+05+02+09+10+11+30+12+80+40+80+40+00ZZZZZZ"},        // Л Cyrillic capital el
    {0xCC, kCapitalM},                                                       // М Cyrillic capital em, drawn as Latin M
    {0xCD, kCapitalH},                                                       // Н Cyrillic capital en, drawn as Latin H
    {0xCE, kCapitalO},                                                       // О Cyrillic capital o, drawn as Latin O
    {0xCF, "XXXXXX+00+00+00+80+40+80+40+00ZZZZZZ"},                          // П Cyrillic capital pe
    {0xD0, kCapitalP},                                                       // Р Cyrillic capital er, drawn as Latin P
    {0xD1, kCapitalC},                                                       // С Cyrillic capital es, drawn as Latin C
    {0xD2, kCapitalT},                                                       // Т Cyrillic capital te, drawn as Latin T
    {0xD3, "XXXXXX+00+80+22+30XXXXXX+40+80+14+08+10+02+05+00+00+00ZZZZZZ"},  // У Cyrillic capital u
    {0xD4,
     "XXXXXX+25+80+25+00XXXXXX+50+46+47+57+38+65+25+68+13+65+03+57+00+46+03+35+12+27+25+24+38+27+47+35+50+"
     "46ZZZZZZ"},                                                      // Ф Cyrillic capital ef
    {0xD5, kCapitalX},                                                 // Х Cyrillic capital ha, drawn as Latin X
    {0xD6, "XXXXXX+00+80+00+00+45+00+45-14XXXXXX+38+80+38+00ZZZZZZ"},  // Ц Cyrillic capital tse
    {0xD7, "XXXXXX+00+80+00+55+02+46+08+40+18+37+28+37+40+40XXXXXX+40+80+40+00ZZZZZZ"},  // Ч Cyrillic capital che
    {0xD8, "XXXXXX+00+80+00+00+50+00+50+80XXXXXX+25+80+25+00ZZZZZZ"},                    // Ш Cyrillic capital sha
    {0xD9, "XXXXXX+00+80+00+00+55+00+55-14XXXXXX+24+80+24+00XXXXXX+48+80+48+00ZZZZZZ"},  // Щ Cyrillic capital shcha
    {0xDA, "XXXXXX+00+80+10+80+10+00XXXXXX+10+46+22+46+34+43+42+35+45+23+42+12+34+03+22+00+10+00ZZZZZZ"},  // Ъ Cyrillic
                                                                                                           // capital
                                                                                                           // hard sign
    {0xDB,
     "XXXXXX+00+80+00+00XXXXXX+00+46+09+46+21+43+29+35+32+23+29+12+21+03+09+00+00+00XXXXXX+48+80+48+"
     "00ZZZZZZ"},  // Ы Cyrillic capital yeru
    {0xDC,
     "XXXXXX+00+80+00+00XXXXXX+00+48+16+48+28+45+37+36+40+24+37+12+28+03+16+00+00+00ZZZZZZ"},  // Ь Cyrillic capital
                                                                                               // soft sign
    {0xDD,
     "XXXXXX+00+63+04+72+11+78+20+80+30+77+37+70+40+60+40+20+37+10+30+03+20+00+11+02+04+08+00+17XXXXXX+14+40+40+"
     "40ZZZZZZ"},  // Э Cyrillic capital e
    {0xDE,
     "XXXXXX+00+80+00+00XXXXXX+00+40+15+40XXXXXX+55+60+52+70+45+77+35+80+25+77+18+70+15+60+15+20+18+10+25+03+35+00+"
     "45+03+52+10+55+20+55+60ZZZZZZ"},  // Ю Cyrillic capital yu
    {0xDF, "XXXXXX+40+00+40+80+20+80+10+77+03+70+00+60+03+50+10+43+20+40+40+40XXXXXX+20+40+00+00ZZZZZZ"},  // Я Cyrillic
                                                                                                           // capital ya
    {0xE0, kSmallA},  // а Cyrillic small a, drawn as Latin a
    {0xE1,
     "XXXXXX+30+30+28+38+23+43+15+45+08+43+02+38+00+30+00+15+02+07+07+02+15+00+23+02+28+07+30+15+30+30XXXXXX+00+30+"
     "00+55+03+66+10+73+20+77+30+80ZZZZZZ"},  // б Cyrillic small be
    {0xE2,
     "XXXXXX+00+00+00+45+19+45+26+42+30+37+30+31+26+25+19+23+26+20+30+14+30+08+26+03+19+00+00+00XXXXXX+00+23+19+"
     "23ZZZZZZ"},                                                                        // в Cyrillic small ve
    {0xE3, "XXXXXX+25+45+00+45+00+00ZZZZZZ"},                                            // г Cyrillic small ghe
    {0xE4, "XXXXXX+04+00+07+15+09+45+30+45+30+00XXXXXX+00-12+00+00+35+00+35-12ZZZZZZ"},  // д Cyrillic small de
    {0xE5, kSmallE},  // е Cyrillic small ie, drawn as Latin e
    {0xE6, "XXXXXX+00+45+17+22+31+22+48+45XXXXXX+00+00+17+22XXXXXX+31+22+48+00XXXXXX+24+45+24+00ZZZZZZ"},  // ж Cyrillic
                                                                                                           // small zhe
    {0xE7,
     "XXXXXX+02+39+08+43+15+45+23+43+28+39+30+34+28+28+23+24+15+23XXXXXX+09+23+15+23+23+21+28+17+30+11+28+06+23+02+"
     "15+00+08+02+02+06ZZZZZZ"},                     // з Cyrillic small ze
    {0xE8, "XXXXXX+00+45+00+00+30+45+30+00ZZZZZZ"},  // и Cyrillic small i
    {0xE9, "XXXXXX+00+45+00+00+30+45+30+00XXXXXX+07+64+08+61+11+59+15+58+19+59+22+61+23+64ZZZZZZ"},  // й Cyrillic small
                                                                                                     // short i
    {0xEA, "XXXXXX+00+45+00+00XXXXXX+30+45+00+18XXXXXX+11+28+30+00ZZZZZZ"},  // к Cyrillic small ka
    {0xEB, "XXXXXX+00+00+04+02+07+08+08+20+09+45+30+45+30+00ZZZZZZ"},        // л Cyrillic small el
    {0xEC, "XXXXXX+00+00+00+45+20+15+40+45+40+00ZZZZZZ"},                    // м Cyrillic small em
    {0xED, "XXXXXX+00+45+00+00XXXXXX+30+45+30+00XXXXXX+00+22+30+22ZZZZZZ"},  // н Cyrillic small en
    {0xEE, kSmallO},                                                         // о Cyrillic small o, drawn as Latin o
    {0xEF, "XXXXXX+00+00+00+45+30+45+30+00ZZZZZZ"},                          // п Cyrillic small pe
    {0xF0, kSmallP},                                                         // р Cyrillic small er, drawn as Latin p
    {0xF1, kSmallC},                                                         // с Cyrillic small es, drawn as Latin c
    {0xF2, "XXXXXX+00+45+30+45XXXXXX+15+45+15+00ZZZZZZ"},                    // т Cyrillic small te
    {0xF3, kSmallY},                                                         // у Cyrillic small u, drawn as Latin y
    {0xF4,
     "XXXXXX+20+80+20-20XXXXXX+40+22+37+33+30+41+20+44+10+41+03+33+00+22+03+11+10+03+20+00+30+03+37+11+40+"
     "22ZZZZZZ"},                                                      // ф Cyrillic small ef
    {0xF5, kSmallX},                                                   // х Cyrillic small ha, drawn as Latin x
    {0xF6, "XXXXXX+00+45+00+00+35+00+35-12XXXXXX+30+45+30+00ZZZZZZ"},  // ц Cyrillic small tse
    {0xF7, "XXXXXX+00+45+00+30+03+24+10+20+20+20+30+22XXXXXX+30+45+30+00ZZZZZZ"},        // ч Cyrillic small che
    {0xF8, "XXXXXX+00+45+00+00+40+00+40+45XXXXXX+20+45+20+00ZZZZZZ"},                    // ш Cyrillic small sha
    {0xF9, "XXXXXX+00+45+00+00+45+00+45-12XXXXXX+20+45+20+00XXXXXX+40+45+40+00ZZZZZZ"},  // щ Cyrillic small shcha
    {0xFA, "XXXXXX+00+45+08+45+08+00XXXXXX+08+26+22+26+29+24+33+20+35+13+33+07+29+02+22+00+08+00ZZZZZZ"},  // ъ Cyrillic
                                                                                                           // small hard
                                                                                                           // sign
    {0xFB,
     "XXXXXX+00+45+00+00XXXXXX+00+26+14+26+21+24+25+20+27+13+25+07+21+02+14+00+00+00XXXXXX+40+45+40+"
     "00ZZZZZZ"},  // ы Cyrillic small yeru
    {0xFC, "XXXXXX+00+45+00+00XXXXXX+00+26+17+26+24+24+28+20+30+13+28+07+24+02+17+00+00+00ZZZZZZ"},  // ь Cyrillic small
                                                                                                     // soft sign
    {0xFD,
     "XXXXXX+05+41+11+44+18+45+24+42+28+37+30+30+30+15+28+08+24+03+18+00+11+01+05+04XXXXXX+10+23+30+"
     "23ZZZZZZ"},  // э Cyrillic small e
    {0xFE,
     "XXXXXX+00+45+00+00XXXXXX+00+23+15+23XXXXXX+45+30+43+38+38+43+30+45+23+43+17+38+15+30+15+15+17+07+22+02+30+00+"
     "38+02+43+07+45+15+45+30ZZZZZZ"},  // ю Cyrillic small yu
    {0xFF, "XXXXXX+30+00+30+45+12+45+06+43+02+39+00+33+02+27+06+23+12+21+30+21XXXXXX+14+21+00+00ZZZZZZ"},  // я Cyrillic
                                                                                                           // small ya
};

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A sign and two digits as a signed value; empty when they are not.
constexpr std::optional<int32_t> ReadValue(std::string_view s) {
  if ((s[0] != '+' && s[0] != '-') || !IsDigit(s[1]) || !IsDigit(s[2])) return std::nullopt;
  const int32_t v = (s[1] - '0') * 10 + (s[2] - '0');
  return s[0] == '-' ? -v : v;
}

// The i-th token of a glyph string; see GlyphPoint.
constexpr std::optional<TIPoint> ReadToken(std::string_view glyph, int i) {
  if (i < 0) return kGlyphEnd;
  const size_t at = static_cast<size_t>(i) * kTokenLength;
  if (at + kTokenLength > glyph.size()) return kGlyphEnd;
  const std::string_view token = glyph.substr(at, kTokenLength);
  if (token[0] == 'X') return kGlyphPenUp;
  if (token[0] == 'Z') return kGlyphEnd;
  const std::optional<int32_t> x = ReadValue(token.substr(0, 3));
  const std::optional<int32_t> y = ReadValue(token.substr(3, 3));
  if (!x || !y) return std::nullopt;
  return TIPoint{*x, *y};
}

constexpr std::array<std::string_view, 256> MakeGlyphTable() {
  std::array<std::string_view, 256> table{};
  table.fill(kDot);
  for (const TGlyphEntry& e : kGlyphEntries) table[e.Code] = e.Glyph;
  return table;
}

constexpr std::array<std::string_view, 256> kGlyphTable = MakeGlyphTable();

constexpr int MaxX(std::string_view glyph) {
  int width = 0;
  for (int i = 0;; ++i) {
    const std::optional<TIPoint> p = ReadToken(glyph, i);
    if (p == kGlyphEnd) return width;
    if (p && *p != kGlyphPenUp && p->X > width) width = p->X;
  }
}

// Widths are looked up once per character while texts are generated, so they
// are worked out when compiling.
constexpr std::array<int, 256> MakeWidthTable() {
  std::array<int, 256> widths{};
  for (size_t c = 0; c < widths.size(); ++c) widths[c] = MaxX(kGlyphTable[c]);
  widths[' '] = 1;  // the space draws nothing but still advances
  return widths;
}

constexpr std::array<int, 256> kGlyphWidths = MakeWidthTable();

// A glyph is well formed when it is a whole number of tokens, starts with a
// pen-up (or is only the end marker), ends with the end marker and has no
// marker-free token that fails to read as a point.
constexpr bool IsWellFormed(std::string_view glyph) {
  if (glyph.empty() || glyph.size() % kTokenLength != 0) return false;
  const int tokens = static_cast<int>(glyph.size() / kTokenLength);
  if (tokens > 1 && glyph[0] != 'X') return false;
  for (int i = 0; i < tokens; ++i) {
    const std::optional<TIPoint> p = ReadToken(glyph, i);
    if (!p) return false;
    if ((*p == kGlyphEnd) != (i == tokens - 1)) return false;
  }
  return true;
}

constexpr bool TableIsSound() {
  std::array<bool, 256> seen{};
  for (const TGlyphEntry& e : kGlyphEntries) {
    if (seen[e.Code] || !IsWellFormed(e.Glyph)) return false;
    seen[e.Code] = true;
  }
  return IsWellFormed(kDot);
}

static_assert(TableIsSound(), "a glyph is malformed or a code is listed twice");

}  // namespace

std::string_view GlyphString(uint8_t code) { return kGlyphTable[code]; }

std::optional<TIPoint> GlyphPoint(uint8_t code, int i) { return ReadToken(kGlyphTable[code], i); }

int GlyphWidth(uint8_t code) { return kGlyphWidths[code]; }

}  // namespace bs
