#pragma once
// A group frame drawn as the classic Windows frame control: an etched line
// whose top runs through the middle of the caption, interrupted behind the
// caption text. The toolkit's styles put the caption above the line, which
// then crosses controls placed for the classic frame.
#include <QGroupBox>

namespace veltrum {

class ClassicFrame : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace veltrum
