// The two report-view list views, each the table it shows (NovelTable,
// ChapterTable). The cells live here and the list asks for the ones it
// draws (an owner-data list), so filling thousands of rows costs next to
// nothing; selection and focus are the list's own, as in any list view.
// Raises clicked after a left click has changed the selection.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/control.h"
#include "sources/reader_state.h"

namespace qm::win32 {

class ListView : public Control, public TextTable {
  public:
    ListView(ControlHost& host, const ControlSpec& settings);

    std::optional<LRESULT> reflected(UINT message, WPARAM wParam, LPARAM lParam) override;
    void setTextColour(int colour) override;
    void setBackgroundColour(int colour) override;

    int columnCount() const override;
    int rowCount() const override;
    int appendRow() override;
    void removeRow(int row) override;
    void clear() override;
    Text cell(int row, int column) const override;
    void setCell(int row, int column, const Text& value) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void makeRowVisible(int row) override;

  protected:
    WindowKind windowKind() const override;
    void configure() override;
    std::optional<LRESULT> ownMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool hasCell(int row, int column) const;
    // Tells the list how many rows there are. Appending only posts this, so
    // a fill of thousands of rows costs the list one change of its count.
    void syncRowCount();
    void scheduleSync();
    void applyColours();
    void answerDisplayInfo(NMLVDISPINFOW& info) const;

    std::vector<ListColumn> columns_;
    std::vector<std::vector<Text>> rows_;
    std::size_t rowsInList_ = 0;  // the count the list was last given
    bool syncPosted_ = false;
};

}  // namespace qm::win32
