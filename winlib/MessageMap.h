// Message maps: a class's table of {message, notification, control id, handler}; the dialog procedure looks handlers up here.
#pragma once

#include <windows.h>

class CWnd;

struct MessageMapEntry {
  UINT message;    // 0 ends the table
  UINT code;       // WM_COMMAND notification code
  UINT id;         // WM_COMMAND control id
  LRESULT (*handler)(CWnd* window, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* base;
  const MessageMapEntry* entries;
};

#define DECLARE_MESSAGE_MAP() \
 protected:                   \
  const MessageMap* GetMessageMap() const override;

// The table is a function-local static, so the base class's map is taken through a non-virtual call.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                  \
  const MessageMap* theClass::GetMessageMap() const {           \
    using ThisClass [[maybe_unused]] = theClass;                \
    using TheBaseClass = baseClass;                             \
    static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
      {0, 0, 0, nullptr}};                                                     \
    static const MessageMap map = {this->TheBaseClass::GetMessageMap(), entries}; \
    return &map;                                                               \
  }

#define ON_WM_SYSCOMMAND()                                                        \
  {WM_SYSCOMMAND, 0, 0, [](CWnd* w, WPARAM wp, LPARAM lp) -> LRESULT {            \
     static_cast<ThisClass*>(w)->OnSysCommand(static_cast<UINT>(wp), lp); return 0; }},

#define ON_WM_DESTROY()                                               \
  {WM_DESTROY, 0, 0, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {         \
     static_cast<ThisClass*>(w)->OnDestroy(); return 0; }},

#define ON_WM_PAINT()                                                 \
  {WM_PAINT, 0, 0, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {           \
     static_cast<ThisClass*>(w)->OnPaint(); return 0; }},

#define ON_WM_QUERYDRAGICON()                                                    \
  {WM_QUERYDRAGICON, 0, 0, [](CWnd* w, WPARAM, LPARAM) -> LRESULT {              \
     return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(w)->OnQueryDragIcon()); }},

#define ON_BN_CLICKED(id, memberFxn)                                  \
  {WM_COMMAND, BN_CLICKED, (id), [](CWnd* w, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(w)->memberFxn(); return 0; }},
