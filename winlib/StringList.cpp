// CStringList: nodes come from blocks of m_nBlockSize, so a long list costs few allocations.
#include "StringList.h"

#include <new>

struct CStringList::Node {
  Node* pNext;
  Node* pPrev;
  CString data;
};

struct CStringList::Block {
  Block* pNext;
  // Followed by m_nBlockSize uninitialised Node slots.
};

namespace {
CStringList::Node* AsNode(POSITION position) { return reinterpret_cast<CStringList::Node*>(position); }
POSITION AsPosition(CStringList::Node* node) { return reinterpret_cast<POSITION>(node); }
}  // namespace

CStringList::CStringList(int blockSize) : m_nBlockSize(blockSize > 0 ? blockSize : 10) {}

CStringList::~CStringList() {
  RemoveAll();
  while (m_pBlocks) {
    Block* next = m_pBlocks->pNext;
    ::operator delete(m_pBlocks);
    m_pBlocks = next;
  }
}

CStringList::Node* CStringList::NewNode() {
  if (!m_pFree) {
    void* raw = ::operator new(sizeof(Block) + sizeof(Node) * static_cast<size_t>(m_nBlockSize));
    Block* block = static_cast<Block*>(raw);
    block->pNext = m_pBlocks;
    m_pBlocks = block;
    Node* slots = reinterpret_cast<Node*>(block + 1);
    for (int i = m_nBlockSize - 1; i >= 0; --i) {
      slots[i].pNext = m_pFree;  // only the link is used while a slot is free
      m_pFree = &slots[i];
    }
  }
  Node* node = m_pFree;
  m_pFree = node->pNext;
  new (&node->data) CString();
  return node;
}

void CStringList::FreeNode(Node* node) {
  node->data.~CString();
  node->pNext = m_pFree;
  m_pFree = node;
}

POSITION CStringList::AddTail(const CString& value) {
  Node* node = NewNode();
  node->data = value;
  node->pNext = nullptr;
  node->pPrev = m_pTail;
  if (m_pTail) m_pTail->pNext = node; else m_pHead = node;
  m_pTail = node;
  ++m_nCount;
  return AsPosition(node);
}

void CStringList::RemoveAt(POSITION position) {
  Node* node = AsNode(position);
  if (node->pPrev) node->pPrev->pNext = node->pNext; else m_pHead = node->pNext;
  if (node->pNext) node->pNext->pPrev = node->pPrev; else m_pTail = node->pPrev;
  FreeNode(node);
  --m_nCount;
}

void CStringList::RemoveAll() {
  while (m_pHead) RemoveAt(AsPosition(m_pHead));
}

POSITION CStringList::GetHeadPosition() const { return AsPosition(m_pHead); }
POSITION CStringList::GetTailPosition() const { return AsPosition(m_pTail); }

CString& CStringList::GetNext(POSITION& position) const {
  Node* node = AsNode(position);
  position = AsPosition(node->pNext);
  return node->data;
}

CString& CStringList::GetPrev(POSITION& position) const {
  Node* node = AsNode(position);
  position = AsPosition(node->pPrev);
  return node->data;
}

CString& CStringList::GetAt(POSITION position) const { return AsNode(position)->data; }
