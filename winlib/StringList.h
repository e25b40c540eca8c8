// CStringList: a doubly linked list of CString whose nodes are allocated in blocks.
#pragma once

#include "String.h"

struct PositionTag;
typedef PositionTag* POSITION;

class CStringList {
public:
  struct Node;  // opaque; a POSITION points at one

  explicit CStringList(int blockSize = 10);
  ~CStringList();
  CStringList(const CStringList&) = delete;
  CStringList& operator=(const CStringList&) = delete;

  int GetCount() const { return m_nCount; }
  bool IsEmpty() const { return m_nCount == 0; }

  POSITION AddTail(const CString& value);
  void RemoveAt(POSITION position);
  void RemoveAll();

  POSITION GetHeadPosition() const;
  POSITION GetTailPosition() const;
  // Return the element at position and move position to the next (previous) one, or to null.
  CString& GetNext(POSITION& position) const;
  CString& GetPrev(POSITION& position) const;
  CString& GetAt(POSITION position) const;

private:
  Node* NewNode();
  void FreeNode(Node* node);

  Node* m_pHead = nullptr;
  Node* m_pTail = nullptr;
  Node* m_pFree = nullptr;
  struct Block;
  Block* m_pBlocks = nullptr;
  int m_nCount = 0;
  int m_nBlockSize;
};
