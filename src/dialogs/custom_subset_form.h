#pragma once

#include "custom_subset_logic.h"

#include <QDialog>
#include <functional>
#include <memory>

class Prompter;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RTTrendwick;
class TargetOID;

/// "Customize OID ...": edits one series of a graph (label, address, community, object, index,
/// calculation, units, colour) and writes straight to its target. The dialog closes itself when
/// the target or the graph goes away while it is open.
class CustomSubsetForm : public QDialog {
    Q_OBJECT
public:
    explicit CustomSubsetForm(Prompter& prompter, QWidget* parent = nullptr);
    ~CustomSubsetForm() override;

    /// Fills the fields from target, shows the dialog modally and after OK writes the fields
    /// to the target and resets the graph.
    void Customize(RTTrendwick& graph, TargetOID& target);
    bool Cancelled() const { return m_cancelled; }

    /// What the Help button does; without one the button stays disabled.
    void setHelpHandler(std::function<void()> handler);

    /// Lets the user pick a row of the object's table on the device: (address, community, object)
    /// gives the chosen index, or "" to keep the box as it is.
    using IndexPicker = std::function<QString(const QString&, const QString&, const QString&)>;
    /// Without a picker the "..." beside the index box is hidden.
    void setIndexPicker(IndexPicker picker);

private:
    void Fill();
    void ShowColor(qint32 color);
    void ChooseColor();
    void BrowseMib();
    void PickIndex();
    void Accept();

    Prompter& m_prompter;
    std::unique_ptr<CustomSubsetLogic> m_logic;
    qint32 m_color = 0;
    bool m_cancelled = true;
    std::function<void()> m_help;
    IndexPicker m_pickIndex;

    QLineEdit* m_label;
    QCheckBox* m_autoLabel;
    QLineEdit* m_ip;
    QLineEdit* m_community;
    QLineEdit* m_mib;
    QLineEdit* m_index;
    QComboBox* m_calculation;
    QComboBox* m_units;
    QLabel* m_swatch;
    QPushButton* m_indexButton;
    QPushButton* m_helpButton;
};
