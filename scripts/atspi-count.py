#!/usr/bin/python3
"""Reads the accessibility tree of a running yarrow through AT-SPI, as a screen reader does, and
counts its interactive controls with and without a name. A combo box is named by the label it is
labelled by (its own name is its current text). Prints the unnamed ones with their role and path.

Usage: atspi-count.py [application-name]   (run by scripts/atspi-count.sh)"""
import sys
import time

import pyatspi

INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_PAGE_TAB_LIST,
}
# Roles that hold a web page's own content: the page names those, not the program.
DOCUMENT = {pyatspi.ROLE_DOCUMENT_WEB, pyatspi.ROLE_DOCUMENT_FRAME}


def name_of(node):
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        for rel in node.getRelationSet():
            if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                for i in range(rel.getNTargets()):
                    text = rel.getTarget(i).name.strip()
                    if text:
                        return text
        return ""
    return (node.name or "").strip()


def walk(node, path, out, depth=0):
    if node is None or depth > 60:
        return
    role = node.getRole()
    if role in DOCUMENT:
        return
    here = path + "/" + (node.name or node.getRoleName())
    if role in INTERACTIVE:
        out.append((name_of(node), node.getRoleName(), here))
    # Table cells are the table's content, a combo box's list and edit field its own parts.
    if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE,
                pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_SPIN_BUTTON):
        return
    for i in range(node.childCount):
        try:
            walk(node.getChildAtIndex(i), here, out, depth + 1)
        except Exception:  # a child may go while the tree is read
            pass


def main():
    wanted = sys.argv[1] if len(sys.argv) > 1 else "QAL Yarrow"
    desktop = pyatspi.Registry.getDesktop(0)
    app = None
    for _ in range(60):
        for i in range(desktop.childCount):
            a = desktop.getChildAtIndex(i)
            if a is not None and a.name == wanted:
                app = a
        if app is not None:
            break
        time.sleep(1)
    if app is None:
        print("no application named %s on the accessibility bus" % wanted)
        return 2
    found = []
    walk(app, "", found)
    unnamed = [f for f in found if not f[0]]
    print("interactive controls: %d  named: %d  unnamed: %d" % (len(found), len(found) - len(unnamed), len(unnamed)))
    for _, role, path in unnamed:
        print("  unnamed %s at %s" % (role, path))
    return 0


if __name__ == "__main__":
    sys.exit(main())
