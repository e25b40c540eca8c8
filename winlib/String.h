// CString: a byte string in the ANSI code page, with double-byte-aware search and trimming.
#pragma once

#include <windows.h>
#include <string>

class CString {
public:
  CString() = default;
  CString(const char* text) : m_str(text ? text : "") {}
  CString(const char* text, int length) : m_str(text, length) {}
  // A number is never a string or a character: catch such mistakes at compile time.
  CString(int) = delete;
  CString(long) = delete;
  CString(unsigned) = delete;

  CString& operator=(const char* text) { m_str = text ? text : ""; return *this; }
  CString& operator+=(const CString& more) { m_str += more.m_str; return *this; }
  CString& operator+=(const char* more) { m_str += more; return *this; }
  CString& operator+=(char ch) { m_str += ch; return *this; }

  int GetLength() const { return static_cast<int>(m_str.size()); }
  bool IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  operator const char*() const { return m_str.c_str(); }
  char GetAt(int index) const { return m_str[index]; }
  char operator[](int index) const { return m_str[index]; }

  CString Left(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Right(int count) const;

  // Byte index of the first / last match, or -1; double-byte characters are stepped over whole.
  int Find(char ch) const;
  int Find(const char* sub) const;
  int ReverseFind(char ch) const;

  void TrimLeft();
  void TrimRight();

  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
  friend CString operator+(const CString& a, const char* b) { return CString(a.m_str + b); }
  friend CString operator+(const char* a, const CString& b) { return CString(a + b.m_str); }
  friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
  friend bool operator==(const CString& a, const char* b) { return a.m_str == b; }
  friend bool operator!=(const CString& a, const char* b) { return a.m_str != b; }

private:
  explicit CString(std::string s) : m_str(std::move(s)) {}
  std::string m_str;
};
