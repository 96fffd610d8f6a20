// The one application object: the documents, the status and About windows, the device link, and the
// commands and services that the whole program shares.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "device/link_owner.h"
#include "model/data_file.h"
#include "model/settings_file.h"
#include "ui/window_host.h"

class data_doc;
class settings_doc;
class about_win_type;
class msg_win_type;
class device_link;
class desktop_io;
class printer_type;
struct trends_place;

class app_type final : public window_host, public link_owner {
 public:
  // Runs the whole start-up, in order: random seed, device link (reads the preferences file), time
  // zone, data document, settings document, start-up picture for 1,000 ms, and the port dialog when
  // no port is known. Tests give their own desktop and printer.
  app_type(HINSTANCE instance, int show_command);
  app_type(HINSTANCE instance, int show_command, std::unique_ptr<desktop_io> io, std::unique_ptr<printer_type> printer);
  app_type(const app_type&) = delete;
  app_type& operator=(const app_type&) = delete;
  ~app_type();

  int run();  // the message loop; the quit message's code

  // What the windows ask of the program.
  HINSTANCE instance() const override { return instance_; }
  bool show_new_windows() const override { return show_new_windows_; }
  int show_command() const override { return show_command_; }
  device_link* link() override { return device.get(); }
  bool route_command(int id, win_type& from) override;
  void update_all_menus() override;
  void show_message(const std::string& text) override;
  void show_message(const char* text) override;  // the device link's messages
  // "Couldn't open serial port." with the system's reason on a second line.
  void show_port_failure(const char* text, const std::string& reason) override;
  bool ask_ok_cancel(const std::string& text, const char* caption) override;
  int ask_yes_no_cancel(const std::string& text, const char* caption) override;
  void show_status(const char* title, const char* text) override;
  void close_status() override;
  void dialog_opened(bool open) override { open_dialogs_ += open ? 1 : -1; }

  // The program's commands.
  void quit();
  void new_data_window(bool ask);
  void new_settings_window(bool ask);
  void create_data_doc();
  void create_settings_doc();
  void close_data_doc();
  void close_settings_doc();
  void open_document();
  // Replaces the document by the file's; the title is the file's name.
  void open_data_file(const std::string& path, const std::string& title);
  void open_settings_file(const std::string& path, const std::string& title);
  void revert_data_doc();
  void revert_settings_doc();
  void show_about();
  void close_about();
  void copy_data_settings();
  void interface_timeout_dialog();
  // The port dialog: at start-up proposing 1, from "Other Port..." the port in use.
  void default_port_dialog();
  void other_port_dialog();
  // The port from now on, written to the preferences file for the next start.
  void choose_port(int port);

  // What every window's menu rules read.
  menu_facts facts() const;

  std::unique_ptr<data_doc> data_document;
  std::unique_ptr<settings_doc> settings_document;
  std::unique_ptr<about_win_type> about_window;
  std::unique_ptr<msg_win_type> status_window;
  std::unique_ptr<device_link> device;

 private:
  // The document read from a file replaces the present one, its windows where the file puts them.
  void take_data_file(data_file_image image, const std::string& path, const std::string& title);
  void take_settings_file(const settings_section& section, const std::string& path, const std::string& title);
  // While a dialog is open, closing, replacing and quitting are refused with a beep.
  bool refused_while_dialog_open();
  bool is_device_window(const win_type& window) const;
  // Runs the port dialog proposing that port; its result (1 OK, 2 Quit Program) and the port typed.
  INT_PTR port_dialog(int& port);
  // The Journal Trends window's place in the data document about to be replaced, if any.
  std::optional<trends_place> kept_trends() const;

  HINSTANCE instance_;
  int show_command_;
  bool show_new_windows_ = true;  // false while a document that will receive a file is created
  int open_dialogs_ = 0;
  HWND status_return_ = nullptr;  // active when the status window came up
  bool timeout_dialog_open_ = false;
  bool port_dialog_open_ = false;
};
