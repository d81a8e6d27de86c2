#pragma once

// The Colour Inspector's contrast section: every mark as text on every other mark, with its
// WCAG 2 ratio and best level, and the detail of one pair with buttons that make its text pass.

#include <QAbstractButton>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/ColourValue.h"
#include "core/Contrast.h"
#include "palette/PaletteModel.h"

class QLabel;
class QPushButton;

/// A cell of the grid: its text drawn in the text mark's colour on the background mark's
/// colour, whatever the desktop's palette, since it shows the marks themselves. Clicking it, or
/// Space with the keyboard on it, chooses its pair.
class ContrastCell : public QAbstractButton {
    Q_OBJECT
public:
    explicit ContrastCell(QWidget* objParent);
    /// Shows a pair: the colours it is drawn in and the two lines of its text.
    void ShowPair(const typColour& typText, const typColour& typBackground,
                  const QString& strFirstLine, const QString& strSecondLine);
    QString strFirstLine;
    QString strSecondLine;
    typColour typTextColour{};
    typColour typBackColour{};
    bool blnChosen = false;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* objEvent) override;
};

/// A line of sample text in a pair's colours, drawn as the pair would show it.
class ContrastSample : public QWidget {
    Q_OBJECT
public:
    ContrastSample(const QString& strText, bool blnLarge, QWidget* objParent);
    void ShowPair(const typColour& typText, const typColour& typBackground);
    typColour typTextColour{};
    typColour typBackColour{};
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* objEvent) override;

private:
    QString strText;
};

class ContrastSection : public QWidget {
    Q_OBJECT
public:
    /// fnSetMarkColour gives a mark a colour; the section never sets one itself.
    ContrastSection(const Palette& objPalette,
                    std::function<void(int intMark, const typColour& typValue)> fnSetMarkColour,
                    QWidget* objParent);

    // Controls, in creation order. The diagonal cells stay null: a mark on itself has no use.
    std::array<QLabel*, intMarkCount> lblTextMark{};
    std::array<QLabel*, intMarkCount> lblOnMark{};
    std::array<std::array<ContrastCell*, intMarkCount>, intMarkCount> cmdCell{};  // [text][back]
    QLabel* lblPair = nullptr;
    QLabel* lblRatio = nullptr;
    std::array<QLabel*, intContrastLevelCount> lblLevel{};  // by ContrastLevel
    QLabel* lblApca = nullptr;
    ContrastSample* picSampleNormal = nullptr;
    ContrastSample* picSampleLarge = nullptr;
    QPushButton* cmdPassAa = nullptr;
    QPushButton* cmdPassAaa = nullptr;

    /// Shows every mark anew.
    void ShowAll();
    /// Shows one mark's change: the captions always, its row and column when its colour changed.
    void ShowMark(int intMark);
    /// Chooses the pair shown in the detail: text mark on background mark, both 0..5 and apart.
    void SelectPair(int intText, int intBackground);
    /// Gives the text mark the nearest colour that passes AA (or AAA) on the background mark.
    void cmdPassAa_Click();
    void cmdPassAaa_Click();

    int intTextMark = 0;
    int intBackMark = 1;
    /// How many pairs' contrast the grid has worked out, for the tests of what a change redoes.
    std::int64_t lngPairsWorkedOut = 0;

private:
    void CreateControls();
    void ShowCaptions();
    void ShowCell(int intText, int intBackground);
    void ShowDetail();
    void MakeTextPass(int intButton);

    const Palette& objPalette;
    std::function<void(int, const typColour&)> fnSetMarkColour;
    std::array<typColour, intMarkCount> arrShownColour{};
    std::array<std::optional<typColour>, 2> arrNearest{};  // AA, AAA
};
