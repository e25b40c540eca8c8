// CString: the operations that walk characters rather than bytes.
#include "String.h"

#include <cstring>

namespace {

int CharSize(const std::string& s, size_t i) {
  return (IsDBCSLeadByte(static_cast<BYTE>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

bool IsBlank(char ch) {
  // The single-byte white space of the C locale; bytes of 0x80 and above never are.
  return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

}  // namespace

CString CString::Left(int count) const {
  if (count < 0) count = 0;
  return CString(m_str.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first) const {
  return Mid(first, GetLength() - first);
}

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first > GetLength()) first = GetLength();
  if (count < 0) count = 0;
  return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  if (count > GetLength()) count = GetLength();
  return CString(m_str.substr(m_str.size() - static_cast<size_t>(count)));
}

int CString::Find(char ch) const {
  for (size_t i = 0; i < m_str.size(); i += CharSize(m_str, i)) {
    if (m_str[i] == ch) return static_cast<int>(i);
  }
  return -1;
}

int CString::Find(const char* sub) const {
  const size_t n = std::strlen(sub);
  for (size_t i = 0; i + n <= m_str.size(); i += CharSize(m_str, i)) {
    if (m_str.compare(i, n, sub) == 0) return static_cast<int>(i);
  }
  return -1;
}

int CString::ReverseFind(char ch) const {
  int found = -1;
  for (size_t i = 0; i < m_str.size(); i += CharSize(m_str, i)) {
    if (m_str[i] == ch) found = static_cast<int>(i);
  }
  return found;
}

void CString::TrimLeft() {
  size_t i = 0;
  while (i < m_str.size() && IsBlank(m_str[i])) ++i;
  m_str.erase(0, i);
}

void CString::TrimRight() {
  // Walk forward so that a trail byte is never mistaken for a blank; remember where the trailing run begins.
  size_t runStart = m_str.size();
  bool inRun = false;
  for (size_t i = 0; i < m_str.size(); i += CharSize(m_str, i)) {
    if (IsBlank(m_str[i])) {
      if (!inRun) { runStart = i; inRun = true; }
    } else {
      inRun = false;
    }
  }
  if (inRun) m_str.erase(runStart);
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_str.resize(static_cast<size_t>(minLength));
  return &m_str[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_str.c_str()));
  m_str.resize(static_cast<size_t>(newLength));
}
