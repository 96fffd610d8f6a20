// The data document: its records and plot (the model) with the Data, Plot and Journal Trends windows
// that show them.
#pragma once

#include <memory>

#include "app/base_doc.h"
#include "model/data_model.h"

class data_win_type;
class plot_win_type;
class trends_win_type;

// Where the Journal Trends window stands and whether it shows: a document that replaces another
// keeps them, since no file holds them.
struct trends_place {
  window_rect rect;
  bool shown = false;
};

class data_doc : public base_doc {
 public:
  // A new document, or one read from a file; its windows are shown when the application's
  // show-new-windows flag is set (the Plot window only by plotting, a file or its command).
  explicit data_doc(app_type& app, data_model document = data_model());
  ~data_doc() override;  // the windows go before the model they show

  win_type& main_window() const override;
  bool owns(const win_type& window) const override;
  void update_menus(const menu_facts& facts) override;

  // After reading a file: the windows where the file puts them, the plot shown when it was.
  void place_windows();
  // The Plot Records dialog, owned by the given window of this document.
  void plot_records(win_type& owner);
  // Show Plot Window: the plot when there is one, else Plot Records.
  void show_plot();
  // Show Journal Trends.
  void show_trends();
  trends_place trends_now() const;
  void place_trends(const trends_place& place);

  data_model model;
  std::unique_ptr<data_win_type> data_window;
  std::unique_ptr<plot_win_type> plot_window;
  std::unique_ptr<trends_win_type> trends_window;

 protected:
  bool write(const std::string& file, std::string& reason) override;

 private:
  void show_changes(data_change change);
};
