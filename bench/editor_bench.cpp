// SPDX-License-Identifier: GPL-3.0-or-later
// Typing into the code editor on a 5,000-line block: one character inserted through the key
// handling, the text coloured again and the editor painted, offscreen. A frame is 16 ms.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <string>

#include "ui/code_edit.h"

namespace {

QString LongBlock() {
  QString text;
  for (int i = 0; i < 1000; ++i) {
    const QString n = QString::number(i);
    text += "  { Step " + n + " of the alarm's work }\n";
    text += "  if FCount" + n + " > " + n + " then\n";
    text += "    Caption := 'Alarm ' + IntToStr(FCount" + n + ");\n";
    text += "  FTimer.Interval := (FInterval * 2) div 3; // " + n + "\n";
    text += "  Inc(FCount" + n + ");\n";
  }
  return text;
}

void BM_TypeInLongCodeBlock(benchmark::State& state) {
  kx::ui::CodeEdit edit(kx::ui::CodeEdit::Mode::kPascal);
  edit.resize(720, 480);
  edit.setText(LongBlock());
  edit.show();
  QApplication::processEvents();
  // Typing near the top makes the most text after it to colour again.
  edit.setCursorPosition(10, 4);
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, "x");
    QApplication::sendEvent(&edit, &press);
    // 1: the whole rest of the block coloured at once; 0: as the editor does it, the visible part.
    if (state.range(0) == 1) edit.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0, -1);
    edit.repaint();
  }
  state.counters["lines"] = edit.lines();
}
BENCHMARK(BM_TypeInLongCodeBlock)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
