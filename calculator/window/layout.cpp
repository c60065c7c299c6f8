#include "calculator/window/layout.h"

#include <array>

namespace veltrum {
namespace {

using K = CalcControlKind;
using F = Face;

constexpr std::string_view kStoreHint = "Вводит в данную ячейку памяти число, находящееся на табло";
constexpr std::string_view kAddHint =
    "Добавляет значение на табло к числу, которое находится в данной ячейке памяти";
constexpr std::string_view kSubtractHint =
    "От числа, находящегося в ячейке памяти, отнимает то, которое находится на табло";
constexpr std::string_view kRecallHint = "Выводит на табло число, хранящееся в этой ячейке памяти";

// Keys are 33 by 33 unless a row says otherwise; the function row is 25 high.
constexpr std::array kControls = std::to_array<CalcControlRow>({
    {K::Display, "Text1", "", "0", F::TimesNewRoman, 27, true, 8, 8, 297, 41, "Табло"},
    {K::Group, "GroupBox1", "", "", F::Window, 11, false, 8, 48, 297, 297, ""},
    // Angle unit.
    {K::Option, "optGrad", "GroupBox1", "Градусы", F::TimesNewRoman, 13, true, 8, 8, 73, 17,
     "Тригонометрические вычисления с размерами углов, выраженными в градусах"},
    {K::Option, "optRad", "GroupBox1", "Радианы", F::TimesNewRoman, 13, true, 8, 24, 73, 17,
     "Тригонометрические вычисления с размерами углов, выраженными в радианах"},
    // Top row: shift, backspace, factorial.
    {K::Button, "cmdShift", "GroupBox1", "2F: OFF", F::TimesNewRoman, 19, true, 88, 16, 81, 25,
     "Включает/отключает вторую функцию клавиш - клавиша \"f\""},
    {K::Button, "cmdBackSpace", "GroupBox1", "⇐", F::Glyphs, 24, true, 176, 16, 33, 25,
     "Удаляет последнюю введённую цифру - клавиша \"B\", \"Backspace\""},
    {K::Button, "cmdFactorial", "GroupBox1", "!", F::TimesNewRoman, 19, true, 216, 16, 17, 25,
     "Факториал"},
    // Second-function marks above their keys.
    {K::Picture, "Image1", "GroupBox1", "", F::TimesNewRoman, 13, false, 256, 32, 19, 24,
     "Добывание корня оределённого степеня"},
    {K::Picture, "Image2", "GroupBox1", "", F::TimesNewRoman, 13, false, 216, 40, 14, 14,
     "Возвращает константу е"},
    {K::Mark, "Label4", "GroupBox1", "arcsin", F::TimesNewRoman, 13, false, 8, 48, 32, 15,
     "Вычисляет arcsin числа"},
    {K::Mark, "Label5", "GroupBox1", "arccos", F::TimesNewRoman, 13, false, 48, 48, 35, 15,
     "Вычисляет arccos числа"},
    {K::Mark, "Label6", "GroupBox1", "arctg", F::TimesNewRoman, 13, false, 88, 48, 27, 15,
     "Вычисляет arctg числа"},
    {K::Mark, "Label7", "GroupBox1", "arcctg", F::TimesNewRoman, 13, false, 128, 48, 33, 15,
     "Вычисляет arcctg числа"},
    {K::Mark, "Label8", "GroupBox1", "exp", F::TimesNewRoman, 13, false, 176, 48, 18, 15,
     "Умножает число на 10^x"},
    {K::Picture, "Image3", "GroupBox1", "", F::TimesNewRoman, 13, false, 216, 80, 15, 19,
     "Константа е в степени x"},
    {K::Picture, "Image4", "GroupBox1", "", F::TimesNewRoman, 13, false, 256, 80, 20, 18,
     "10 в степени x"},
    // Function keys.
    {K::Button, "cmdpi", "GroupBox1", "π", F::Glyphs, 16, true, 208, 56, 33, 25,
     "Возвращает константу пи"},
    {K::Button, "cmdstepen", "GroupBox1", "x^y", F::TimesNewRoman, 16, true, 248, 56, 33, 25,
     "Возведение в степень"},
    {K::Button, "cmdsin", "GroupBox1", "sin", F::TimesNewRoman, 16, true, 8, 64, 33, 25,
     "Вычисляет sin угла"},
    {K::Button, "cmdcos", "GroupBox1", "cos", F::TimesNewRoman, 16, true, 48, 64, 33, 25,
     "Вычисляет cos угла"},
    {K::Button, "cmdtg", "GroupBox1", "tg", F::TimesNewRoman, 16, true, 88, 64, 33, 25,
     "Вычисляет tg угла"},
    {K::Button, "cmdctg", "GroupBox1", "ctg", F::TimesNewRoman, 16, true, 128, 64, 33, 25,
     "Вычисляет ctg угла"},
    {K::Button, "cmd1nax", "GroupBox1", "1/x", F::TimesNewRoman, 16, true, 168, 64, 33, 25,
     "Единицу делит на число, находящееся на табло"},
    {K::Button, "cmdon", "GroupBox1", "C", F::TimesNewRoman, 19, true, 8, 96, 33, 33,
     "Сброс вычислений - клавиша \"c\""},
    {K::Button, "cmdce", "GroupBox1", "CE", F::TimesNewRoman, 16, true, 48, 96, 33, 33,
     "Сброс только набираемого числа - клавиша \"e\""},
    {K::Button, "cmdsqr", "GroupBox1", "x^2", F::ArialNarrow, 16, true, 88, 96, 33, 33,
     "Возводит число на табло в квадрат"},
    {K::Button, "cmdsqrt", "GroupBox1", "√", F::Glyphs, 19, true, 128, 96, 33, 33,
     "Добывает корень квадратный"},
    {K::Button, "cmdplusminus", "GroupBox1", "+/-", F::Arial, 16, true, 168, 96, 33, 33,
     "Меняет значение числа на противоположное"},
    {K::Button, "cmdln", "GroupBox1", "ln", F::TimesNewRoman, 16, true, 208, 104, 33, 25,
     "Натуральный логарифм"},
    {K::Button, "cmdlg", "GroupBox1", "lg", F::TimesNewRoman, 16, true, 248, 104, 33, 25,
     "Десятичный логарифм"},
    // Number block, operators and memory block, row by row.
    {K::Button, "cmd1", "GroupBox1", "1", F::TimesNewRoman, 19, true, 8, 136, 33, 33, "Цифра 1"},
    {K::Button, "cmd2", "GroupBox1", "2", F::TimesNewRoman, 19, true, 48, 136, 33, 33, "Цифра 2"},
    {K::Button, "cmd3", "GroupBox1", "3", F::TimesNewRoman, 19, true, 88, 136, 33, 33, "Цифра 3"},
    {K::Button, "cmdplus", "GroupBox1", "+", F::TimesNewRoman, 24, true, 128, 136, 33, 33, "Плюс"},
    {K::Button, "cmdM1in", "GroupBox1", "M1↑", F::Glyphs, 12, true, 168, 136, 33, 33, kStoreHint},
    {K::Button, "cmdM2in", "GroupBox1", "M2↑", F::Glyphs, 12, true, 208, 136, 33, 33, kStoreHint},
    {K::Button, "cmdM3in", "GroupBox1", "M3↑", F::Glyphs, 12, true, 248, 136, 33, 33, kStoreHint},
    {K::Button, "cmd4", "GroupBox1", "4", F::TimesNewRoman, 19, true, 8, 176, 33, 33, "Цифра 4"},
    {K::Button, "cmd5", "GroupBox1", "5", F::TimesNewRoman, 19, true, 48, 176, 33, 33, "Цифра 5"},
    {K::Button, "cmd6", "GroupBox1", "6", F::TimesNewRoman, 19, true, 88, 176, 33, 33, "Цифра 6"},
    {K::Button, "cmdminus", "GroupBox1", "-", F::TimesNewRoman, 24, true, 128, 176, 33, 33, "Минус"},
    {K::Button, "cmdM1plus", "GroupBox1", "M1+", F::ArialNarrow, 16, true, 168, 176, 33, 33, kAddHint},
    {K::Button, "cmdM2plus", "GroupBox1", "M2+", F::ArialNarrow, 16, true, 208, 176, 33, 33, kAddHint},
    {K::Button, "cmdM3plus", "GroupBox1", "M3+", F::ArialNarrow, 16, true, 248, 176, 33, 33, kAddHint},
    {K::Button, "cmd7", "GroupBox1", "7", F::TimesNewRoman, 19, true, 8, 216, 33, 33, "Цифра 7"},
    {K::Button, "cmd8", "GroupBox1", "8", F::TimesNewRoman, 19, true, 48, 216, 33, 33, "Цифра 8"},
    {K::Button, "cmd9", "GroupBox1", "9", F::TimesNewRoman, 19, true, 88, 216, 33, 33, "Цифра 9"},
    {K::Button, "cmdmulti", "GroupBox1", "*", F::TimesNewRoman, 24, true, 128, 216, 33, 33,
     "Умножить"},
    {K::Button, "cmdM1minus", "GroupBox1", "M1-", F::ArialNarrow, 16, true, 168, 216, 33, 33,
     kSubtractHint},
    {K::Button, "cmdM2minus", "GroupBox1", "M2-", F::ArialNarrow, 16, true, 208, 216, 33, 33,
     kSubtractHint},
    {K::Button, "cmdM3minus", "GroupBox1", "M3-", F::ArialNarrow, 16, true, 248, 216, 33, 33,
     kSubtractHint},
    {K::Button, "cmd0", "GroupBox1", "0", F::TimesNewRoman, 19, true, 8, 256, 33, 33, "Цифра 0"},
    {K::Button, "cmdpoint", "GroupBox1", ",", F::TimesNewRoman, 24, true, 48, 256, 33, 33,
     "Точка, отделяющая целую часть числа от десятых"},
    {K::Button, "cmdis", "GroupBox1", "=", F::TimesNewRoman, 24, true, 88, 256, 33, 33,
     "Вычисляет результат"},
    {K::Button, "cmddivide", "GroupBox1", "/", F::TimesNewRoman, 24, true, 128, 256, 33, 33,
     "Поделить"},
    {K::Button, "cmdM1R", "GroupBox1", "M1R", F::ArialNarrow, 16, true, 168, 256, 33, 33, kRecallHint},
    {K::Button, "cmdM2R", "GroupBox1", "M2R", F::ArialNarrow, 16, true, 208, 256, 33, 33, kRecallHint},
    {K::Button, "cmdM3R", "GroupBox1", "M3R", F::ArialNarrow, 16, true, 248, 256, 33, 33, kRecallHint},
    // Memory displays: the labels inside the group, the memos over it.
    {K::Group, "GroupBox2", "", "Состояние ячеек памяти", F::TimesNewRoman, 13, true, 8, 344, 297,
     113, ""},
    {K::Label, "Label1", "GroupBox2", "M1", F::TimesNewRoman, 19, true, 8, 16, 28, 22, ""},
    {K::Label, "Label2", "GroupBox2", "M2", F::TimesNewRoman, 19, true, 8, 48, 28, 22, ""},
    {K::Label, "Label3", "GroupBox2", "M3", F::TimesNewRoman, 19, true, 8, 80, 28, 22, ""},
    {K::Display, "txtM1", "", "0", F::TimesNewRoman, 16, true, 56, 360, 233, 25,
     "Число, находящееся в ячейке памяти М1"},
    {K::Display, "txtM2", "", "0", F::TimesNewRoman, 16, true, 56, 392, 233, 25,
     "Число, находящееся в ячейке памяти М2"},
    {K::Display, "txtM3", "", "0", F::TimesNewRoman, 16, true, 56, 424, 233, 25,
     "Число, находящееся в ячейке памяти М3"},
    // The frame of the periodic table; its keys come from the element table.
    {K::Group, "GroupBox3", "", "", F::Window, 11, false, kTableFrameLeft, kTableFrameTop,
     kTableFrameWidth, kTableFrameHeight, ""},
});

}  // namespace

std::span<const CalcControlRow> CalculatorControls() { return kControls; }

}  // namespace veltrum
