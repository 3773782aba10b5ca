# SPDX-License-Identifier: MIT
# cpack's External generator runs this script with the installed files staged in
# CPACK_TEMPORARY_DIRECTORY: it builds pemtos.msi from pemtos.wxs with wixl and
# puts right what wixl gets wrong, with msibuild from the same msitools:
#
# - wixl never sets the database's code page (Product/@Codepage only reaches the
#   summary information), so every table string is stored in code page 0, in
#   which Japanese text cannot be written: ProductName, the shortcut's name and
#   the downgrade message come out empty. The database is given code page 932
#   and the three texts, read from pemtos.wxs, are written again.
# - MajorUpgrade leaves out the package's own version from the versions it
#   replaces; a package rebuilt at the same version must replace it too.
# - The summary's language list says 1033 whatever Package/@Languages says.
#
# The product code and the package code are not drawn at random, as wixl would:
# both follow from the version and from everything packed, so that the same
# sources give the same package bit for bit, while a package whose content
# differs in anything is a new product, which the upgrade rule replaces the old
# one with even at the same version. Every time stored in the package is
# SOURCE_DATE_EPOCH when it is set (./dev.sh release sets it).
cmake_minimum_required(VERSION 3.25)

find_program(PEMTOS_WIXL wixl REQUIRED)
find_program(PEMTOS_MSIBUILD msibuild REQUIRED)
find_program(PEMTOS_MSIINFO msiinfo REQUIRED)

# wixl and msibuild stamp the summary with the time they run (created, last saved);
# under SOURCE_DATE_EPOCH they run with the clock stopped at that time instead.
set(pemtos_at "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    find_program(PEMTOS_FAKETIME faketime REQUIRED)
    set(ENV{TZ} UTC)
    string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S" UTC) # SOURCE_DATE_EPOCH's time
    set(pemtos_at ${PEMTOS_FAKETIME} -f "${stamp}")
endif()

function(pemtos_run)
    execute_process(COMMAND ${pemtos_at} ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${result}):\n${output}")
    endif()
endfunction()

# One SQL statement on the package.
function(pemtos_msi_query msi query)
    pemtos_run(${PEMTOS_MSIBUILD} ${msi} -q "${query}")
endfunction()

# The value of `attribute` on the first <element> of pemtos.wxs.
function(pemtos_wxs_attribute out element attribute)
    file(READ ${CPACK_PEMTOS_WXS} wxs)
    if(NOT wxs MATCHES "<${element}[ \t\r\n]([^>]*[ \t\r\n])?${attribute}=\"([^\"]*)\"")
        message(FATAL_ERROR "pemtos.wxs: no ${element}/@${attribute}")
    endif()
    set(${out} "${CMAKE_MATCH_2}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE program "${CPACK_TEMPORARY_DIRECTORY}/*/pemtos.exe" "${CPACK_TEMPORARY_DIRECTORY}/pemtos.exe")
if(NOT program)
    message(FATAL_ERROR "pemtos.exe is not among the staged files in ${CPACK_TEMPORARY_DIRECTORY}")
endif()
list(GET program 0 program)

# wixl finds the files that pemtos.wxs names in the folder it runs in.
set(work ${CPACK_TOPLEVEL_DIRECTORY}/msi)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work})
file(COPY ${program} ${CPACK_PEMTOS_ICON} DESTINATION ${work})
# The cabinet keeps each file's time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    file(GLOB packed ${work}/*)
    pemtos_run(touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${packed})
endif()
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
file(REMOVE ${msi})

# The content the codes follow from: the version, the publisher, the files packed,
# and how they are packed (pemtos.wxs and this script).
set(content "${CPACK_PACKAGE_VERSION}\n${CPACK_PACKAGE_VENDOR}")
foreach(input ${program} ${CPACK_PEMTOS_ICON} ${CPACK_PEMTOS_WXS} ${CMAKE_CURRENT_LIST_FILE})
    file(SHA256 ${input} digest)
    string(APPEND content "\n${digest}")
endforeach()
pemtos_wxs_attribute(upgrade_code Product UpgradeCode)
string(REGEX REPLACE "[{}]" "" upgrade_namespace "${upgrade_code}")
string(UUID product_code NAMESPACE ${upgrade_namespace} NAME "product\n${content}" TYPE SHA1 UPPER)
string(UUID package_code NAMESPACE ${upgrade_namespace} NAME "package\n${content}" TYPE SHA1 UPPER)

execute_process(
    COMMAND ${pemtos_at} ${PEMTOS_WIXL} --arch x64 -D "Version=${CPACK_PACKAGE_VERSION}" -D "Manufacturer=${CPACK_PACKAGE_VENDOR}"
            -D "ProductCode={${product_code}}" -o ${msi} ${CPACK_PEMTOS_WXS}
    WORKING_DIRECTORY ${work}
    RESULT_VARIABLE result
    ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "wixl failed (${result}):\n${output}")
endif()

# Code page 932 for every string of the database; the three Japanese texts again.
file(WRITE ${work}/_ForceCodepage.idt "\r\n\r\n932\t_ForceCodepage\r\n")
pemtos_run(${PEMTOS_MSIBUILD} ${msi} -i ${work}/_ForceCodepage.idt)
pemtos_wxs_attribute(product_name Product Name)
pemtos_wxs_attribute(shortcut_name Shortcut Name)
pemtos_wxs_attribute(downgrade_message MajorUpgrade DowngradeErrorMessage)
pemtos_msi_query(${msi} "UPDATE `Property` SET `Value`='${product_name}' WHERE `Property`='ProductName'")
pemtos_msi_query(${msi} "UPDATE `Shortcut` SET `Name`='${shortcut_name}' WHERE `Shortcut`='StartMenuShortcut'")
pemtos_msi_query(${msi}
    "UPDATE `LaunchCondition` SET `Description`='${downgrade_message}' WHERE `Condition`='NOT WIX_DOWNGRADE_DETECTED'")

# The upgrade row takes in its own version (attribute 512, maximum inclusive). The
# attributes are part of the row's key, so the row is replaced, not updated.
pemtos_msi_query(${msi} "DELETE FROM `Upgrade` WHERE `ActionProperty`='WIX_UPGRADE_DETECTED'")
pemtos_msi_query(${msi} "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) \
VALUES ('${upgrade_code}', '${CPACK_PACKAGE_VERSION}', 513, 'WIX_UPGRADE_DETECTED')")

# The summary: msibuild -s sets subject, author, platform and languages, and the
# package code. Called directly: the platform and languages are written with a semicolon,
# which a function's argument list would split.
execute_process(COMMAND ${pemtos_at} ${PEMTOS_MSIBUILD} ${msi} -s "${product_name} ${CPACK_PACKAGE_VERSION}" "${CPACK_PACKAGE_VENDOR}"
                        "x64;1041" {${package_code}} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "msibuild could not write the summary of ${msi}")
endif()

# What an administrator's tools read must not have come out empty again.
execute_process(COMMAND ${PEMTOS_MSIINFO} export ${msi} Property OUTPUT_VARIABLE properties)
if(NOT properties MATCHES "\nProductName\t${product_name}\r?\n")
    message(FATAL_ERROR "${msi}: ProductName is not \"${product_name}\":\n${properties}")
endif()

set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
