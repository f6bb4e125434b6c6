// The accessible objects of the board: the board itself and its three columns, each a thin
// IAccessible over the core's read tree. The system's accessibility library is loaded only when a
// reader first asks, so a program nobody reads loads nothing more than before.
#include "board/accessible_win.h"

#include <oleacc.h>

#include "app/clock.h"
#include "app/shell_win.h"
#include "board/accessible.h"
#include "board/layout.h"
#include "board/ui_state.h"

namespace {

typedef LRESULT(WINAPI* LresultFromObjectFn)(REFIID, WPARAM, LPUNKNOWN);
typedef HRESULT(WINAPI* CoInitializeExFn)(void*, DWORD);
typedef HRESULT(WINAPI* CoDisconnectObjectFn)(LPUNKNOWN, DWORD);
typedef BSTR(WINAPI* SysAllocStringFn)(const OLECHAR*);

struct Library {
  bool tried;
  LresultFromObjectFn lresultFromObject;
  CoDisconnectObjectFn disconnect;
  SysAllocStringFn allocString;
};
Library library;

template <class Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

bool LoadLibraries() {
  if (library.tried) return library.lresultFromObject && library.allocString;
  library.tried = true;
  HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
  HMODULE ole32 = LoadLibraryW(L"ole32.dll");
  HMODULE oleaut32 = LoadLibraryW(L"oleaut32.dll");
  if (!oleacc || !ole32 || !oleaut32) return false;
  // The objects are handed out through COM; the window's thread joins a single-threaded
  // apartment, whose calls arrive through the message loop it already runs (an apartment the
  // thread is already in serves as well).
  auto initialize = Find<CoInitializeExFn>(ole32, "CoInitializeEx");
  HRESULT joined = initialize ? initialize(NULL, COINIT_APARTMENTTHREADED) : E_FAIL;
  if (FAILED(joined) && joined != RPC_E_CHANGED_MODE) return false;
  library.disconnect = Find<CoDisconnectObjectFn>(ole32, "CoDisconnectObject");
  library.allocString = Find<SysAllocStringFn>(oleaut32, "SysAllocString");
  library.lresultFromObject =
      Find<LresultFromObjectFn>(oleacc, "LresultFromObject");
  return library.lresultFromObject && library.allocString;
}

// The read tree follows the board as it is now, whether or not a paint came since the change.
void FreshLayout() {
  RECT r;
  GetClientRect(mainWindow, &r);
  ComputeLayout(r.right - r.left, r.bottom - r.top);
}

HRESULT Text(const char16_t* text, BSTR* out) {
  *out = NULL;
  if (!text[0]) return S_FALSE;
  *out = library.allocString(W(text));
  return *out ? S_OK : E_OUTOFMEMORY;
}

void Empty(VARIANT* v) { v->vt = VT_EMPTY; }
void Child(VARIANT* v, LONG child) {
  v->vt = VT_I4;
  v->lVal = child;
}
void Object(VARIANT* v, IDispatch* object) {
  v->vt = VT_DISPATCH;
  v->pdispVal = object;
  object->AddRef();
}

class Node;
// The board's object (readBoard) or a column's (0..2).
Node* ObjectOf(int32_t parent);

// One object of the tree: the board (readBoard) or a column (0..2). Its children that are simple
// elements are told by their number; a column child is an object of its own.
class Node : public IAccessible {
 public:
  explicit Node(int32_t parent) : parent_(parent) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
  }
  // The four objects live as long as the program.
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override {
    *out = NULL;
    if (parent_ == readBoard) return S_FALSE;
    *out = ObjectOf(readBoard);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    FreshLayout();
    *count = ReadChildCount(parent_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    *out = NULL;
    ReadNode node;
    if (!Read(child, &node)) return E_INVALIDARG;
    if (node.column < 0) return S_FALSE;
    *out = ObjectOf(node.column);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
    return TextOf(child, out, [](const ReadNode& n) { return n.name; });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
    return TextOf(child, out, [](const ReadNode& n) { return n.value; });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return TextOf(child, out, [](const ReadNode& n) { return n.description; });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
    ReadNode node;
    if (!Read(child, &node)) return E_INVALIDARG;
    static const LONG roles[] = {ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_LIST, ROLE_SYSTEM_LISTITEM,
                                 ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_CLIENT};
    Child(out, roles[node.role]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
    ReadNode node;
    if (!Read(child, &node)) return E_INVALIDARG;
    LONG state = node.focusable ? STATE_SYSTEM_FOCUSABLE : 0;
    if (node.focused && GetFocus() == mainWindow) state |= STATE_SYSTEM_FOCUSED;
    if (node.offscreen) state |= STATE_SYSTEM_OFFSCREEN;
    Child(out, state);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override {
    *out = NULL;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG*) override {
    *file = NULL;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* out) override {
    *out = NULL;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    Empty(out);
    FreshLayout();
    int32_t parent, child;
    if (GetFocus() != mainWindow || !ReadFocus(&parent, &child)) return S_FALSE;
    if (parent == parent_) Child(out, child);
    else if (parent_ == readBoard) Object(out, ObjectOf(parent));
    else return S_FALSE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    Empty(out);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* out) override {
    *out = NULL;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* width, LONG* height,
                                        VARIANT child) override {
    ReadNode node;
    if (!Read(child, &node)) return E_INVALIDARG;
    POINT p = {node.box.left, node.box.top};
    ClientToScreen(mainWindow, &p);
    *x = p.x;
    *y = p.y;
    *width = node.box.right - node.box.left;
    *height = node.box.bottom - node.box.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* out) override {
    Empty(out);
    if (start.vt != VT_I4) return E_INVALIDARG;
    FreshLayout();
    LONG count = ReadChildCount(parent_), from = start.lVal, to = 0;
    bool self = from == CHILDID_SELF;
    if (direction == NAVDIR_FIRSTCHILD && self) to = 1;
    else if (direction == NAVDIR_LASTCHILD && self) to = count;
    else if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && !self) to = from + 1;
    else if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && !self) to = from - 1;
    return Answer(to, out);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override {
    Empty(out);
    POINT p = {x, y};
    ScreenToClient(mainWindow, &p);
    RECT client;
    GetClientRect(mainWindow, &client);
    if (!PtInRect(&client, p)) return S_FALSE;
    FreshLayout();
    int32_t child = ReadChildAt(parent_, p.x, p.y);
    if (!child) {
      Child(out, CHILDID_SELF);
      return S_OK;
    }
    return Answer(child, out);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  // One of the child's texts, as a string of the reader's; none when it is empty.
  template <class Field>
  HRESULT TextOf(const VARIANT& child, BSTR* out, Field field) {
    *out = NULL;
    ReadNode node;
    if (!Read(child, &node)) return E_INVALIDARG;
    return Text(field(node), out);
  }
  // The child, or this object itself for CHILDID_SELF: the board's own client area, or the
  // column as its board tells it.
  bool Read(const VARIANT& child, ReadNode* out) {
    if (child.vt != VT_I4) return false;
    FreshLayout();
    uint32_t now = UnixNow();
    if (child.lVal != CHILDID_SELF) return ReadChild(parent_, child.lVal, now, out);
    if (parent_ != readBoard) return ReadChild(readBoard, readFirstColumn + parent_, now, out);
    *out = ReadNode{};
    out->role = ReadClient;
    out->column = -1;
    RECT r;
    GetClientRect(mainWindow, &r);
    out->box = Rect{r.left, r.top, r.right, r.bottom};
    out->focusable = true;
    GetWindowTextW(mainWindow, reinterpret_cast<wchar_t*>(out->name), readNameUnits);
    return true;
  }
  // A child found by a move or a point: the column's own object or the child's number.
  HRESULT Answer(LONG child, VARIANT* out) {
    ReadNode node;
    if (child < 1 || !ReadChild(parent_, child, 0, &node)) return S_FALSE;
    if (node.column >= 0) Object(out, ObjectOf(node.column));
    else Child(out, child);
    return S_OK;
  }
  int32_t parent_;
};

Node boardObject(readBoard);
Node columnObjects[3] = {Node(0), Node(1), Node(2)};
Node* ObjectOf(int32_t parent) {
  return parent == readBoard ? &boardObject : &columnObjects[parent];
}

struct Told {
  bool any;
  int32_t parent, child, ticket;
};
Told told;

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
  LONG id = static_cast<LONG>(lParam);
  bool board = id == OBJID_CLIENT, column = id >= 1 && id <= 3;
  if ((!board && !column) || !LoadLibraries())
    return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
  Node* object = ObjectOf(board ? readBoard : id - 1);
  return library.lresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(object));
}

void TellReaderFocus(HWND window, bool again) {
  int32_t parent, child;
  if (!ReadFocus(&parent, &child)) {
    told.any = false;
    return;
  }
  int32_t ticket = parent == readBoard ? -1 : boardUi.cursorTicket;
  if (!again && told.any && told.parent == parent && told.child == child && told.ticket == ticket)
    return;
  told = Told{true, parent, child, ticket};
  NotifyWinEvent(EVENT_OBJECT_FOCUS, window, parent == readBoard ? OBJID_CLIENT : parent + 1, child);
}

void ForgetReaders() {
  if (!library.disconnect) return;
  library.disconnect(static_cast<IAccessible*>(&boardObject), 0);
  for (Node& column : columnObjects) library.disconnect(static_cast<IAccessible*>(&column), 0);
}
