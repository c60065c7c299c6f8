#include "calculator/window/spoken_names.h"

namespace veltrum {
namespace {

struct Spoken {
  const char16_t* control;
  const char16_t* name;
};

constexpr Spoken kSpoken[] = {
    {u"Form1Client", u"Калькулятор"},
    {u"MainMenu1", u"Главное меню"},
    {u"GroupBox1", u"Клавиши калькулятора"},
    {u"GroupBox3", u"Таблица Менделеева"},
    {u"Text1", u"Табло"},
    {u"txtM1", u"M1"},
    {u"txtM2", u"M2"},
    {u"txtM3", u"M3"},
    // The pictures show the key's second function.
    {u"Image1", u"ʸ√x"},
    {u"Image2", u"e"},
    {u"Image3", u"eˣ"},
    {u"Image4", u"10ˣ"},
    // Subscript digits are read badly or not at all.
    {u"cmdOCH", u"Метоксигруппа OCH3"},
    {u"cmdOCH2", u"Этоксигруппа OC2H5"},
    {u"cmdOCOCH", u"Ацетоксигруппа OCOCH3"},
    {u"cmdH2O", u"Вода H2O"},
};

}  // namespace

QString SpokenName(QStringView objectName) {
  for (const Spoken& s : kSpoken)
    if (objectName == QStringView(s.control)) return QString::fromUtf16(s.name);
  return {};
}

}  // namespace veltrum
