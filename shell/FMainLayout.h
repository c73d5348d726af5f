#pragma once

// The main window's client area, shared by the form and its notices.
namespace tulma::MainForm {

constexpr int ClientWidth = 419;
constexpr int ClientHeight = 329;
// The notices sit one below the other under the autostart check box.
constexpr int NoticeTop = 314;
constexpr int NoticeWidth = ClientWidth - 8;

}  // namespace tulma::MainForm
