# Win32 part of the framework.
add_library(framework_win32 STATIC
  application.cpp
  button.cpp
  canvas.cpp
  check_box.cpp
  clipboard.cpp
  color_dialog.cpp
  combo_box.cpp
  control.cpp
  edit.cpp
  dpi.cpp
  file_dialog.cpp
  file_replace.cpp
  fonts.cpp
  form.cpp
  hint_window.cpp
  hints.cpp
  image.cpp
  input_query.cpp
  label.cpp
  list_box.cpp
  memo.cpp
  message_box.cpp
  open_picture_dialog.cpp
  page_control.cpp
  panel.cpp
  popup_menu.cpp
  progress_bar.cpp
  profile.cpp
  scroll_bar.cpp
  system_color.cpp
  text.cpp
  timer.cpp
  window.cpp
)
target_link_libraries(framework_win32 PUBLIC framework_core comctl32 gdi32 user32 shell32 ole32 uuid comdlg32 msimg32)
