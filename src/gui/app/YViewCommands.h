#pragma once

class CMainFrame;

// The diagram's commands: the tools (选择, 放大, 缩小, 缩放, 纵横缩放, 平移), the display
// switches of the active view (小填挖标记, 取、弃土坑固定显示, 路线纵坡) and 全图.
class YViewCommands {
  public:
    explicit YViewCommands(CMainFrame& frame) : m_frame(frame) {}
    void Register();

  private:
    CMainFrame& m_frame;
};
