// Function sets in the plot window: a set saved and opened again gives the
// same list, bounds, step and file; a refused file, a "No" and a failed
// save change nothing.
#include <QAction>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "tests/support/scripted_file_chooser.h"
#include "tests/plotter/window/window_fixture.h"

namespace veltrum {
namespace {

const std::string kReplaceQuestion = "Подтверждение: Заменить список функций и границы набором из файла?";

class PlotSetTest : public PlotWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    form.SetFileChooser(chooser);
  }

  QString Path(const QString& name) const { return dir.filePath(name); }

  void Trigger(const char* action, const QString& path) {
    chooser.answerPath = path;
    Find<QAction>(action)->trigger();
    WaitForRuns();
  }

  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // Everything an open could change.
  std::vector<QString> Snapshot() const {
    std::vector<QString> state = Entries();
    for (const char* edit : {"txtXLeft", "txtXRight", "txtYLeft", "txtYRight", "txtFLeft", "txtFRight"})
      state.push_back(Find<QLineEdit>(edit)->text());
    for (const char* radio : {"rad01", "rad001", "rad0001"})
      state.push_back(Find<QRadioButton>(radio)->isChecked() ? "checked" : "");
    for (int i = 0; i < kSeriesCount; ++i)
      state.push_back(QString::number(chart->PointCount(i)) + (chart->IsActive(i) ? "+" : "-"));
    return state;
  }

  QTemporaryDir dir;
  ScriptedFileChooser chooser;
};

TEST_F(PlotSetTest, ASetSurvivesSaveAndOpenByteForByte) {
  Add(QStringLiteral("sin[x]"));
  Add(QStringLiteral("x^2-2"));
  Type("txtXLeft", QStringLiteral("-5"));
  Type("txtFLeft", QStringLiteral("-1"));
  Type("txtFRight", QStringLiteral("1"));
  QTest::mouseClick(Find<QRadioButton>("rad001"), Qt::LeftButton);
  Click("cmdReDrawAll");
  const QString first = Path(QStringLiteral("set"));
  Trigger("mnuSaveSet", first);
  EXPECT_EQ(chooser.questions.back().caption, "Сохранить набор функций");
  EXPECT_EQ(chooser.questions.back().filters, QStringList{QStringLiteral("Набор функций (*.vfs)")});
  EXPECT_EQ(Contents(first + ".vfs"),
            "F(X)=sin[x]\nF(X)=x^2-2\nxleft=-5\nxright=10\nyleft=-10\nyright=10\n"
            "from=-1\nto=1\nstep=0,01\n");
  const std::vector<QString> saved = Snapshot();

  // Another state, then the set again: its list, bounds and step, drawn.
  Add(QStringLiteral("x"));
  Type("txtXLeft", QStringLiteral("-3"));
  QTest::mouseClick(Find<QRadioButton>("rad0001"), Qt::LeftButton);
  boxes.Reply(true);
  Trigger("mnuOpenSet", first + ".vfs");
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{kReplaceQuestion});
  EXPECT_EQ(Snapshot(), saved);
  EXPECT_EQ(Entries(), (std::vector<QString>{"1:F(X)=sin[x]", "2:F(X)=x^2-2"}));
  EXPECT_EQ(chart->PointCount(1), 201);

  const QString second = Path(QStringLiteral("again.vfs"));
  Trigger("mnuSaveSet", second);
  EXPECT_EQ(Contents(second), Contents(first + ".vfs"));
}

TEST_F(PlotSetTest, ARefusedFileOrANoLeavesTheWindowAsItWas) {
  Add(QStringLiteral("sin[x]"));
  Add(QStringLiteral("1/x"));
  const std::vector<QString> before = Snapshot();
  const struct {
    QByteArray text;
    std::string box;
  } files[] = {
      {QByteArray("F(X)=x\n").repeated(11), "Error: Строка 11: функций больше десяти."},
      {"F(X)=x\ncolour=red\n", "Error: Строка 2: неизвестный ключ «colour»."},
      {"F(X)=x\n\nfrom=-3\nto=3.5\n", "Error: Строка 4: «3.5» — не число."},
      {"step=0,2\n", "Error: Строка 1: шаг может быть только 0,1, 0,01 или 0,001."},
      {"F(X)=x\nF(X)=" + QByteArray(70'000, 'x') + "\n", "Error: Строка 2: строка длиннее 64 КиБ."},
      {"F(X)=\xff\n", "Error: Строка 1: текст не в кодировке UTF-8."},
  };
  for (const auto& file : files) {
    SCOPED_TRACE(file.box);
    Write(Path(QStringLiteral("bad.vfs")), file.text);
    Trigger("mnuOpenSet", Path(QStringLiteral("bad.vfs")));
    EXPECT_EQ(boxes.Take(), std::vector<std::string>{file.box});
    EXPECT_EQ(Snapshot(), before);
  }
  Write(Path(QStringLiteral("good.vfs")), "F(X)=x\n");
  boxes.Reply(false);
  Trigger("mnuOpenSet", Path(QStringLiteral("good.vfs")));
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{kReplaceQuestion});
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(PlotSetTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
  Add(QStringLiteral("x"));
  const QString old = Path(QStringLiteral("old.vfs"));
  Trigger("mnuSaveSet", old);
  const QByteArray before = Contents(old);
  Add(QStringLiteral("x^2"));
  // A folder in the way of the rename; a folder that does not exist.
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.vfs")));
  // The box names the path and the system's reason, as the tape's does.
  const struct {
    QString path;
    int error;
  } failures[] = {{Path(QStringLiteral("taken.vfs")), EISDIR}, {Path(QStringLiteral("missing/set.vfs")), ENOENT}};
  for (const auto& failure : failures) {
    Trigger("mnuSaveSet", failure.path);
    EXPECT_EQ(boxes.Take(), std::vector<std::string>{"Error: Не удалось сохранить файл: " +
                                                     failure.path.toStdString() + " (" +
                                                     std::strerror(failure.error) + ")"});
  }
  EXPECT_EQ(Contents(old), before);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            (QStringList{QStringLiteral("old.vfs"), QStringLiteral("taken.vfs")}));
  // Bounds that are not numbers are not saved.
  Type("txtYRight", QStringLiteral("ten"));
  Trigger("mnuSaveSet", Path(QStringLiteral("set.vfs")));
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{"Error: Неправильно заданы границы."});
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("set.vfs"))));
}

TEST_F(PlotSetTest, TheListOffersBothCommandsAndCtrlSSavesTheSet) {
  QStringList texts;
  for (QAction* action : list->actions()) texts << action->text() + " " + action->shortcut().toString();
  EXPECT_EQ(texts, (QStringList{QStringLiteral("Сохранить набор функций… Ctrl+S"),
                                QStringLiteral("Открыть набор функций… Ctrl+O"),
                                QStringLiteral("Анализ функции… Ctrl+I")}));
  EXPECT_EQ(list->contextMenuPolicy(), Qt::ActionsContextMenu);
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  chooser.answerPath = Path(QStringLiteral("keys.vfs"));
  QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(chooser.questions.size(), 1u);
  EXPECT_EQ(chooser.questions[0].caption, "Сохранить набор функций");
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("keys.vfs"))));
}

// Before the program ends: the answer, the file chooser's reply, and
// whether the program may end.
struct DiscardRow {
  const char* what;
  Choice answer;
  bool chooserSaves;
  bool mayEnd;
};

TEST_F(PlotSetTest, AnUnsavedListAsksBeforeTheProgramEnds) {
  const std::string question = "Подтверждение: Сохранить набор функций?";
  EXPECT_TRUE(form.MayDiscardSet());  // nothing typed yet
  Add(QStringLiteral("x"));
  const DiscardRow rows[] = {
      {"Отмена", Choice::Cancel, true, false},
      {"Да, then Cancel in the save dialog", Choice::Yes, false, false},
      {"Нет", Choice::No, true, true},
      {"Да, saved", Choice::Yes, true, true},
  };
  for (const DiscardRow& row : rows) {
    SCOPED_TRACE(row.what);
    boxes.Reply(row.answer);
    if (row.chooserSaves)
      chooser.answerPath = Path(QStringLiteral("exit.vfs"));
    else
      chooser.answerPath.reset();
    EXPECT_EQ(form.MayDiscardSet(), row.mayEnd);
    EXPECT_EQ(boxes.Take(), std::vector<std::string>{question});
  }
  EXPECT_EQ(Contents(Path(QStringLiteral("exit.vfs"))), QByteArray("F(X)=x\nxleft=-10\nxright=10\nyleft=-10\n"
                                                                      "yright=10\nfrom=-3\nto=3\nstep=0,1\n"));
  // Saved: no question until something changes, a bound or the step too.
  EXPECT_TRUE(form.MayDiscardSet());
  Find<QRadioButton>("rad001")->click();
  EXPECT_TRUE(form.HasUnsavedSet());
  Find<QRadioButton>("rad01")->click();
  EXPECT_FALSE(form.HasUnsavedSet());
  Type("txtFRight", QStringLiteral("4"));
  EXPECT_TRUE(form.HasUnsavedSet());
  boxes.Reply(true);
  Trigger("mnuOpenSet", Path(QStringLiteral("exit.vfs")));
  EXPECT_EQ(boxes.Take(), std::vector<std::string>{kReplaceQuestion});
  EXPECT_FALSE(form.HasUnsavedSet());
}

}  // namespace
}  // namespace veltrum
