#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Quorvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Documents made to reach out of a conversion, for the tests that show none of them does.

    hostile_documents.py serve LOG           serves 127.0.0.1 on a port of its own, prints the
                                             port, and appends each request line to LOG
    hostile_documents.py make URL SECRET OUT writes the documents into OUT; URL is the server's
                                             address (http://127.0.0.1:PORT), SECRET a folder of
                                             local files the documents name (secret.png,
                                             secret.txt, secret.docx)

Every document names the server and the local files in another way: pictures linked rather than
stored, INCLUDETEXT and INCLUDEPICTURE fields, an attached template, linked OLE objects, and an
ODF document with an on-load macro saved under a .doc name.
"""
import http.server
import socketserver
import struct
import sys
import zipfile
import zlib
from pathlib import Path

W = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" ' \
    'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" ' \
    'xmlns:wp="http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing" ' \
    'xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" ' \
    'xmlns:pic="http://schemas.openxmlformats.org/drawingml/2006/picture" ' \
    'xmlns:v="urn:schemas-microsoft-com:vml" xmlns:o="urn:schemas-microsoft-com:office:office"'
REL = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/'

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Default Extension="png" ContentType="image/png"/>
<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>
<Override PartName="/word/settings.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"/>
</Types>"""

PACKAGE_RELS = f"""<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="{REL}officeDocument" Target="word/document.xml"/>
</Relationships>"""

# What must never reach a page: the marker of the local text, and the colours of the local and
# the served picture (each of one colour, so that a page's re-encoded copy still shows it).
SECRET_TEXT = "SECRET-TEXT-4711"
SECRET_COLOUR = (0x12, 0x34, 0x56)
SERVED_COLOUR = (0x65, 0x43, 0x21)
CONTAINED_COLOUR = (0xEE, 0x11, 0x11)


def png(width, height, colour):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes(colour) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


CONTAINED_PNG = png(16, 16, CONTAINED_COLOUR)


def relationships(entries):
    rows = "".join(
        f'<Relationship Id="{rid}" Type="{REL}{kind}" Target="{target}"'
        + (' TargetMode="External"' if external else "") + "/>"
        for rid, kind, target, external in entries)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<Relationships '
            f'xmlns="http://schemas.openxmlformats.org/package/2006/relationships">{rows}</Relationships>')


def paragraph(inner):
    return f"<w:p>{inner}</w:p>"


def text(words):
    return f'<w:r><w:t xml:space="preserve">{words}</w:t></w:r>'


def field(instruction, shown="field result"):
    return ('<w:r><w:fldChar w:fldCharType="begin"/></w:r>'
            f'<w:r><w:instrText xml:space="preserve"> {instruction} </w:instrText></w:r>'
            '<w:r><w:fldChar w:fldCharType="separate"/></w:r>'
            f'{text(shown)}<w:r><w:fldChar w:fldCharType="end"/></w:r>')


def drawing(rid, attribute):
    return (f'<w:r><w:drawing><wp:inline><wp:extent cx="952500" cy="952500"/><wp:docPr id="{rid[3:]}" name="p{rid}"/>'
            '<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic>'
            f'<pic:nvPicPr><pic:cNvPr id="0" name="p{rid}.png"/><pic:cNvPicPr/></pic:nvPicPr>'
            f'<pic:blipFill><a:blip r:{attribute}="{rid}"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill>'
            '<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="952500" cy="952500"/></a:xfrm>'
            '<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic>'
            '</wp:inline></w:drawing></w:r>')


def vml_picture(rid):
    return ('<w:r><w:pict><v:shape id="s' + rid + '" style="width:40pt;height:40pt">'
            f'<v:imagedata r:id="{rid}" o:title=""/></v:shape></w:pict></w:r>')


def linked_ole(picture_rid, ole_rid):
    return ('<w:r><w:object><v:shape id="ole' + ole_rid + '" style="width:40pt;height:40pt">'
            f'<v:imagedata r:id="{picture_rid}" o:title=""/></v:shape>'
            f'<o:OLEObject Type="Link" ProgID="Word.Document.12" ShapeID="ole{ole_rid}" DrawAspect="Content" '
            f'r:id="{ole_rid}" UpdateMode="Always"><o:LinkType>EnhancedMetaFile</o:LinkType>'
            '<o:LockedField>false</o:LockedField></o:OLEObject></w:object></w:r>')


def write_docx(path, body, rels, settings_rels=None, media=None):
    settings = (f'<?xml version="1.0" encoding="UTF-8"?>\n<w:settings {W}>'
                + ('<w:attachedTemplate r:id="rIdTemplate"/>' if settings_rels else "")
                + '<w:updateFields w:val="true"/></w:settings>')
    document = (f'<?xml version="1.0" encoding="UTF-8"?>\n<w:document {W}><w:body>{body}'
                '<w:sectPr><w:pgSz w:w="11906" w:h="16838"/></w:sectPr></w:body></w:document>')
    rels = rels + [("rIdSettings", "settings", "settings.xml", False)]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as package:
        package.writestr("[Content_Types].xml", CONTENT_TYPES)
        package.writestr("_rels/.rels", PACKAGE_RELS)
        package.writestr("word/document.xml", document)
        package.writestr("word/_rels/document.xml.rels", relationships(rels))
        package.writestr("word/settings.xml", settings)
        if settings_rels:
            package.writestr("word/_rels/settings.xml.rels", relationships(settings_rels))
        for name, data in (media or {}).items():
            package.writestr("word/media/" + name, data)


def make(url, secret, out):
    out.mkdir(parents=True, exist_ok=True)
    secret.mkdir(parents=True, exist_ok=True)
    (secret / "secret.png").write_bytes(png(16, 16, SECRET_COLOUR))
    (secret / "secret.txt").write_text(SECRET_TEXT + "\n")
    write_docx(secret / "secret.docx", paragraph(text(SECRET_TEXT)), [])
    local = {name: (secret / name).resolve().as_uri() for name in ("secret.png", "secret.txt", "secret.docx")}
    path = {name: str((secret / name).resolve()) for name in local}
    stored = drawing("rId9", "embed")  # a picture the document contains, which must stay
    stored_rel = ("rId9", "image", "media/contained.png", False)
    contained = {"contained.png": CONTAINED_PNG}

    write_docx(out / "linked-pictures.docx",
               paragraph(text("Linked pictures.") + stored + drawing("rId2", "link") + drawing("rId3", "link")
                         + vml_picture("rId4") + vml_picture("rId5")),
               [stored_rel, ("rId2", "image", f"{url}/linked.png", True),
                ("rId3", "image", local["secret.png"], True), ("rId4", "image", f"{url}/vml.png", True),
                ("rId5", "image", local["secret.png"], True)], media=contained)
    write_docx(out / "include-fields.docx",
               paragraph(text("Fields that include.") + stored)
               + paragraph(field(f'INCLUDETEXT "{path["secret.txt"]}"'))
               + paragraph(field(f'INCLUDETEXT "{url}/include.txt"'))
               + paragraph(field(f'INCLUDEPICTURE "{path["secret.png"]}" \\d'))
               + paragraph(field(f'INCLUDEPICTURE "{url}/include.png" \\d'))
               + paragraph(field(f'INCLUDEPICTURE "{url}/stored.png"'))
               + paragraph(field(f'HYPERLINK "{url}/link.html"', "a link")),
               [stored_rel], media=contained)
    write_docx(out / "attached-template.docx", paragraph(text("A template attached by address.")),
               [], settings_rels=[("rIdTemplate", "attachedTemplate", f"{url}/template.dotx", True)])
    write_docx(out / "linked-objects.docx",
               paragraph(text("Linked objects.") + linked_ole("rId6", "rId7") + linked_ole("rId8", "rId10")),
               [("rId6", "image", f"{url}/ole-picture.png", True), ("rId7", "oleObject", f"{url}/linked.docx", True),
                ("rId8", "image", local["secret.png"], True), ("rId10", "oleObject", local["secret.docx"], True)])
    (out / "linked-picture.rtf").write_text(
        "{\\rtf1\\ansi Linked in RTF.\\par "
        f"{{\\field{{\\*\\fldinst INCLUDEPICTURE \"{url}/rtf.png\" \\\\d}}{{\\fldrslt }}}}\\par "
        f"{{\\field{{\\*\\fldinst INCLUDEPICTURE \"{path['secret.png']}\" \\\\d}}{{\\fldrslt }}}}\\par "
        f"{{\\field{{\\*\\fldinst INCLUDETEXT \"{path['secret.txt']}\"}}{{\\fldrslt old}}}}\\par }}\n")


def serve(log):
    class Handler(http.server.BaseHTTPRequestHandler):
        def log_request(self, code="-", size="-"):
            with open(log, "a") as requests:
                requests.write(self.requestline + "\n")

        def answer(self):
            # Pictures are served, so that one fetched would show in a page; nothing else is.
            body = png(16, 16, SERVED_COLOUR) if self.path.endswith(".png") else b""
            self.send_response(200 if body else 404)
            self.send_header("Content-Type", "image/png")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            if self.command != "HEAD":
                self.wfile.write(body)

        do_GET = do_HEAD = do_OPTIONS = do_POST = do_PROPFIND = answer

    socketserver.TCPServer.allow_reuse_address = True
    with socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler) as server:
        print(server.server_address[1], flush=True)
        server.serve_forever()


if __name__ == "__main__":
    if sys.argv[1:2] == ["serve"]:
        serve(sys.argv[2])
    elif sys.argv[1:2] == ["make"]:
        make(sys.argv[2].rstrip("/"), Path(sys.argv[3]), Path(sys.argv[4]))
    else:
        sys.exit(__doc__)
