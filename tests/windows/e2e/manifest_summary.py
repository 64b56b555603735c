"""What Windows takes from an application manifest, one line each, for the tests to compare:
   identity <name> <version>, supportedOS <id>, dependency <name> <version>, setting <name> <value>.
A manifest that is not well-formed XML makes it fail: Windows refuses to start such a program."""
import sys
import xml.etree.ElementTree as ElementTree

ASSEMBLY = "{urn:schemas-microsoft-com:asm.v1}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"

root = ElementTree.parse(sys.argv[1]).getroot()
if root.tag != ASSEMBLY + "assembly":
    sys.exit("the root is " + root.tag)
identity = root.find(ASSEMBLY + "assemblyIdentity")
if identity is not None:
    print("identity", identity.get("name"), identity.get("version"))
for supported in root.iter(COMPATIBILITY + "supportedOS"):
    print("supportedOS", supported.get("Id"))
for dependent in root.iter(ASSEMBLY + "dependentAssembly"):
    for wanted in dependent.iter(ASSEMBLY + "assemblyIdentity"):
        print("dependency", wanted.get("name"), wanted.get("version"))
for element in root.iter():
    if element.tag.endswith("}requestedExecutionLevel"):
        print("setting requestedExecutionLevel", element.get("level"))
    # The settings under <windowsSettings> (activeCodePage, dpiAware, ...) by their local name.
    for setting in element.findall("{*}windowsSettings/*") if element.tag.endswith("}application") else []:
        print("setting", setting.tag.split("}")[-1], (setting.text or "").strip())
