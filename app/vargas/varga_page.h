// The Chart window's Vargas tab: the sixteen divisional charts as a table
// (rows the nine grahas and the Lagna, columns D1 to D60, each cell the
// sign in its dignity's colour) and any one varga drawn as a picture.
#pragma once

#include <QWidget>
#include <string>
#include <string_view>

#include "chart_picture/positions_table.h"
#include "vargas/vargas.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace tavrinel {

class ChartView;

class VargaPage final : public QWidget {
    Q_OBJECT
  public:
    explicit VargaPage(QWidget* parent = nullptr);
    // Shows the chart's vargas, built on the sky `skyNote` names ("(precise
    // sky: …)") and the pictures' `skyLine` ("Precise sky: …"); the rasi
    // table gives the names and motion.
    void ShowVargas(const PositionsTable& rasi, const VargaTable& vargas, std::string_view skyNote,
                    std::string_view skyLine);

    [[nodiscard]] QTableWidget* Table() const { return table_; }
    [[nodiscard]] QComboBox* VargaChooser() const { return varga_; }
    [[nodiscard]] QComboBox* StyleChooser() const { return style_; }
    [[nodiscard]] ChartView* View() const { return view_; }

  private:
    void Redraw();

    QTableWidget* table_ = nullptr;
    QLabel* sky_ = nullptr;
    QLabel* legend_ = nullptr;
    QComboBox* varga_ = nullptr;
    QComboBox* style_ = nullptr;
    ChartView* view_ = nullptr;
    std::string skyLine_;
    PositionsTable rasi_;
    VargaTable vargas_;
};

}  // namespace tavrinel
