#pragma once

#include <QPixmap>
#include <QWidget>

namespace vornelix {

// A plain picture holder: shows its picture at the top left corner, or repeats it across the
// whole box when tiled; other controls can lie inside it.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture, bool tiled = false);
    const QPixmap& picture() const { return m_picture; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap m_picture;
    bool m_tiled = false;
};

}  // namespace vornelix
